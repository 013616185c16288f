#pragma once

// The window with a capture service whose outcome the test chooses and the error report caught.
#include "app/Form1.h"
#include "platform/ErrorReport.h"

#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

enum class TCaptureOutcome { Opens, Refused, Unreachable };

struct TScriptedService : ISoundCaptureService {
  TCaptureOutcome Outcome;
  int Device = 0;
  explicit TScriptedService(TCaptureOutcome outcome) : Outcome(outcome) {}
  int OpenDefaultDevice(void*& device) override {
    if (Outcome == TCaptureOutcome::Unreachable) throw std::runtime_error("no service");
    device = &Device;
    return Outcome == TCaptureOutcome::Opens ? 0 : -2;
  }
  void CloseDevice(void*) noexcept override {}
};

class Form1 : public ::testing::Test {
protected:
  // Shown, the window starts its chain, as it does for the user.
  void Create(TCaptureOutcome outcome, bool show = true) {
    PreviousFactory = SetSoundCaptureServiceFactory([outcome] { return std::make_unique<TScriptedService>(outcome); });
    PreviousPresenter = SetErrorPresenter([this](const std::string& message) { Errors.push_back(message); });
    Form.reset(new TForm1);
    if (!show) return;
    Form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
  }
  void TearDown() override {
    Form.reset();
    SetSoundCaptureServiceFactory(PreviousFactory);
    SetErrorPresenter(PreviousPresenter);
  }
  TChroStringGrid& Grid() { return *Form->ChroStringGrid1; }
  QImage RenderGrid() { return Grid().viewport()->grab().toImage(); }
  // The user picks an item of the format list with the keyboard.
  void PickFormat(int index) {
    QComboBox& box = *Form->FormatBox;
    box.setFocus();
    while (box.currentIndex() > index) QTest::keyClick(&box, Qt::Key_Up);
    while (box.currentIndex() < index) QTest::keyClick(&box, Qt::Key_Down);
  }
  std::vector<std::vector<QString>> GridTexts() {
    std::vector<std::vector<QString>> texts(size_t(Grid().ColCount()));
    for (int col = 0; col < Grid().ColCount(); ++col)
      for (int row = 0; row < Grid().RowCount(); ++row) texts[size_t(col)].push_back(Grid().Cells(col, row));
    return texts;
  }

  std::unique_ptr<TForm1, TComponentDeleter> Form;
  std::vector<std::string> Errors;
  TSoundCaptureServiceFactory PreviousFactory;
  TErrorPresenter PreviousPresenter;
};
