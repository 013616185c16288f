#pragma once

#include <functional>
#include <optional>
#include <string>

class QPrinter;
class QWidget;

// How a tool bar asks the user for a printer or a file name and tells of a failure. The standard
// ones are the platform's dialogs; a program (or a test) may put its own in their place.
struct TKvToolBarDialogs {
  // Sets the printer up; false when the user cancels.
  std::function<bool(QWidget* parent, QPrinter& printer)> AskPrinter;
  // The file to save the picture to, offering bitmap and JPEG files (a bitmap file by default);
  // none when the user cancels.
  std::function<std::optional<std::string>(QWidget* parent)> AskSaveFileName;
  std::function<void(QWidget* parent, const std::string& message)> ShowError;
};

TKvToolBarDialogs StandardToolBarDialogs();
