#pragma once

#include <functional>
#include <optional>
#include <string>

// Fills a label template: "%%" becomes "%", and "%" with a letter becomes what `field` gives for
// that letter (upper case); a letter it gives nothing for is dropped with its "%", and a lone "%"
// at the end ends the text.
std::string ExpandLabelTemplate(const std::string& pattern,
                                const std::function<std::optional<std::string>(char letter)>& field);
