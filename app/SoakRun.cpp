// Runs the window headless with its chain running and records what that costs:
//   notechannels-soak [--seconds N] [--csv FILE] [--plot FILE]
// N is 60 when not given. Every 10 s it samples resident memory, the process's CPU time, the
// buffers the clock produced and those that reached the waterfall (two spectra per buffer) and each
// channel of the scope, as a line of FILE (CSV, written as it goes); at the end it draws them with
// the library's own scope into a PNG. It prints the CPU use, resident memory after the first minute
// and at the end with the growth per hour between, and the buffers lost on the way to each display,
// and exits with 1 when any was lost.
#include "app/Form1.h"
#include "app/SoakPlot.h"

#include <QApplication>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int SampleSeconds = 10;

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

struct TOptions {
  int Seconds = 60;
  std::string Csv;
  std::string Plot;
};

TOptions ReadOptions(int argc, char* argv[]) {
  TOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--seconds")) options.Seconds = std::atoi(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--csv")) options.Csv = argv[i + 1];
    else if (!std::strcmp(argv[i], "--plot")) options.Plot = argv[i + 1];
    else {
      std::fprintf(stderr, "usage: %s [--seconds N] [--csv FILE] [--plot FILE]\n", argv[0]);
      std::exit(2);
    }
  }
  return options;
}

struct TSample {
  double Seconds = 0;
  long Resident = 0;  // KiB
  double Cpu = 0;     // s
  uint64_t Produced = 0;
  uint64_t Waterfall = 0;
  std::array<uint64_t, 3> Scope{};
};

TSample Take(TForm1& form, double seconds, uint64_t produced) {
  TSample sample;
  sample.Seconds = seconds;
  sample.Resident = ResidentKiB();
  sample.Cpu = CpuSeconds();
  sample.Produced = produced;
  const TKvWaterfall& waterfall = *form.KvWaterfall1;
  sample.Waterfall = (waterfall.RowsRemoved() + uint64_t(waterfall.RowCount())) / 2;
  for (int channel = 0; channel < 3; ++channel)
    sample.Scope[size_t(channel)] = form.KvScope3->Channels()->Channel(channel).StoredBuffers();
  return sample;
}

void WriteCsvLine(std::ofstream& csv, const TSample& s) {
  csv << s.Seconds << ',' << s.Resident << ',' << s.Cpu << ',' << s.Produced << ',' << s.Waterfall << ',' << s.Scope[0]
      << ',' << s.Scope[1] << ',' << s.Scope[2] << std::endl;
}

// A panel's values from each sample and the one before it, from the end of the first interval on.
template <class Value>
std::vector<double> Series(const std::vector<TSample>& samples, Value value) {
  std::vector<double> values;
  for (size_t i = 1; i < samples.size(); ++i) values.push_back(value(samples[i], samples[i - 1]));
  return values;
}

void Plot(const std::vector<TSample>& samples, const std::string& file) {
  std::vector<double> minutes;
  for (size_t i = 1; i < samples.size(); ++i) minutes.push_back(samples[i].Seconds / 60);
  const auto per = [](double now, double before, double seconds) { return seconds > 0 ? (now - before) / seconds : 0; };
  const std::vector<TSoakPanel> panels = {
      {"Resident memory, MiB",
       {{"Resident", clRed,
         Series(samples, [](const TSample& s, const TSample&) { return double(s.Resident) / 1024; })}}},
      {"CPU, % of one core",
       {{"CPU", clLime,
         Series(samples,
                [&](const TSample& s, const TSample& b) { return 100 * per(s.Cpu, b.Cpu, s.Seconds - b.Seconds); })}}},
      {"Buffers per second: produced (red), reached the waterfall (lime) and the scope (blue)",
       {{"Produced", clRed,
         Series(samples,
                [&](const TSample& s, const TSample& b) {
                  return per(double(s.Produced), double(b.Produced), s.Seconds - b.Seconds);
                })},
        {"Waterfall", clLime,
         Series(samples,
                [&](const TSample& s, const TSample& b) {
                  return per(double(s.Waterfall), double(b.Waterfall), s.Seconds - b.Seconds);
                })},
        {"Scope", clBlue,
         Series(samples,
                [&](const TSample& s, const TSample& b) {
                  return per(double(s.Scope[0]), double(b.Scope[0]), s.Seconds - b.Seconds);
                })}}},
  };
  SaveSoakPlot(minutes, panels, file);
}

}  // namespace

int main(int argc, char* argv[]) {
  const TOptions options = ReadOptions(argc, argv);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  std::unique_ptr<TForm1, TComponentDeleter> form(new TForm1);
  std::atomic<uint64_t> produced{0};
  // Counted on the clock thread, before the chain runs.
  form->DnGenericGen1->OnGenerate = [&produced](TObject*, TRef<IDnAudioBuffer>&, bool&, bool&) { ++produced; };
  std::ofstream csv;
  if (!options.Csv.empty()) {
    csv.open(options.Csv);
    csv << "seconds,resident_kib,cpu_seconds,buffers_produced,buffers_to_waterfall,buffers_to_scope_signal,"
           "buffers_to_scope_channel1,buffers_to_scope_channel2"
        << std::endl;
  }

  using TClock = std::chrono::steady_clock;
  const TClock::time_point start = TClock::now();
  const auto elapsed = [&] { return std::chrono::duration<double>(TClock::now() - start).count(); };
  const double cpuStart = CpuSeconds();
  const auto take = [&] {
    TSample sample = Take(*form, elapsed(), produced.load());
    sample.Cpu -= cpuStart;
    if (csv.is_open()) WriteCsvLine(csv, sample);
    return sample;
  };
  // Every 10 s; the plot shows these.
  std::vector<TSample> samples;
  const auto sample = [&] { samples.push_back(take()); };
  form->Show();
  sample();
  QTimer sampler;
  QObject::connect(&sampler, &QTimer::timeout, sample);
  sampler.start(SampleSeconds * 1000);
  long residentAtMinute = -1;
  double minuteAt = 0;
  QTimer::singleShot(60000, [&] {
    residentAtMinute = ResidentKiB();
    minuteAt = elapsed();
  });
  QTimer::singleShot(options.Seconds * 1000, &application, &QApplication::quit);
  application.exec();
  sampler.stop();

  // Stop returns once the clock thread has ended: nothing is on its way any more.
  form->StopButtonClick(nullptr);
  // The totals, moments after the last periodic sample: too short an interval to plot.
  const TSample last = take();
  std::printf("run %.1f s: CPU %.2f s = %.2f %% of one core\n", last.Seconds, last.Cpu, 100 * last.Cpu / last.Seconds);
  if (residentAtMinute >= 0) {
    const double hours = (last.Seconds - minuteAt) / 3600;
    std::printf("resident memory after 1 min: %ld KiB, at the end: %ld KiB", residentAtMinute, last.Resident);
    if (hours > 0) std::printf(", growth %.0f KiB per hour", double(last.Resident - residentAtMinute) / hours);
    std::printf("\n");
  } else {
    std::printf("resident memory at the end: %ld KiB\n", last.Resident);
  }
  std::printf("buffers produced: %llu; lost on the way to the waterfall: %lld", (unsigned long long)last.Produced,
              (long long)(last.Produced - last.Waterfall));
  static const char* const channels[] = {"Signal", "Channel1", "Channel2"};
  bool lost = last.Waterfall != last.Produced;
  for (size_t i = 0; i < 3; ++i) {
    std::printf(", to the scope's %s: %lld", channels[i], (long long)(last.Produced - last.Scope[i]));
    lost |= last.Scope[i] != last.Produced;
  }
  std::printf("\n");
  if (!options.Plot.empty()) Plot(samples, options.Plot);
  return lost ? 1 : 0;
}
