#include "display/KvLabelTemplate.h"

#include <cctype>

std::string ExpandLabelTemplate(const std::string& pattern,
                                const std::function<std::optional<std::string>(char letter)>& field) {
  std::string text;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') {
      text += pattern[i];
      continue;
    }
    if (++i == pattern.size()) break;
    if (pattern[i] == '%') {
      text += '%';
      continue;
    }
    if (const auto value = field(static_cast<char>(std::toupper(static_cast<unsigned char>(pattern[i])))))
      text += *value;
  }
  return text;
}
