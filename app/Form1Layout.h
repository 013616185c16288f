#pragma once

#include <string>

// The window's layout (Form1.layout), built into the program.
extern const std::string Form1Layout;
