#pragma once
// The texts of a line chart's axis labels and quote fields: dates in the C
// library's date formats, numbers in the user locale's number rules.

#include <string>

// Keeps every "%" pair whose code the date formatter knows (and "%%" as a
// whole); any other "%", a trailing one included, is doubled so that it
// prints as it stands.
std::wstring SanitizeDateFormat(const std::wstring& format);

// The moment `days` after 1900-01-01 00:00:00 (to the nearest second) in
// `format`, which should be sanitised. Empty for a day number that is not
// finite or lies outside the years 100 to 9999, and for a format the
// formatter refuses.
std::wstring FormatDateLabel(double days, const std::wstring& format);

// The value with the user locale's decimal and thousands separators,
// leading zero and positive order, grouped by three, a leading minus, no
// currency symbol, and the locale's currency digits as decimals (none when
// `decimals` is off). False for a value that is not finite and when the
// locale cannot be read or formatting fails.
bool FormatNumber(double value, std::wstring& text, bool decimals);
