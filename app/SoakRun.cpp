// Runs the window headless with its chain and reports what that costs:
//   notechannels-soak [seconds]        (60 when not given)
// Prints the process CPU time over the wall time, resident memory after the first minute (when
// the run lasts that long) and at the end, and the buffers the clock produced against the spectra
// that reached the waterfall (two per buffer).
#include "app/Form1.h"

#include <QApplication>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

int main(int argc, char* argv[]) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  std::unique_ptr<TForm1, TComponentDeleter> form(new TForm1);
  std::atomic<uint64_t> produced{0};
  // Counted on the clock thread, before the chain runs.
  form->DnGenericGen1->OnGenerate = [&produced](TObject*, TRef<IDnAudioBuffer>&, bool&, bool&) { ++produced; };

  using TClock = std::chrono::steady_clock;
  const TClock::time_point start = TClock::now();
  const double cpuStart = CpuSeconds();
  form->Show();
  long residentAtMinute = -1;
  QTimer minute;
  minute.setSingleShot(true);
  QObject::connect(&minute, &QTimer::timeout, [&] { residentAtMinute = ResidentKiB(); });
  minute.start(60000);
  QTimer::singleShot(seconds * 1000, &application, &QApplication::quit);
  application.exec();

  const double wall = std::chrono::duration<double>(TClock::now() - start).count();
  const double cpu = CpuSeconds() - cpuStart;
  form->StopButtonClick(nullptr);
  const uint64_t rows = form->KvWaterfall1->RowsRemoved() + uint64_t(form->KvWaterfall1->RowCount());
  std::printf("run %.1f s: CPU %.2f s = %.2f %% of one core\n", wall, cpu, 100 * cpu / wall);
  if (residentAtMinute >= 0) std::printf("resident memory after 1 min: %ld KiB\n", residentAtMinute);
  std::printf("resident memory at the end: %ld KiB\n", ResidentKiB());
  std::printf("buffers produced: %llu, spectra reached the waterfall: %llu (%llu buffers)\n",
              static_cast<unsigned long long>(produced.load()), static_cast<unsigned long long>(rows),
              static_cast<unsigned long long>(rows / 2));
  return 0;
}
