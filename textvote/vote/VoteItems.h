#pragma once
// The vote service's statistics page: "<p>Label: NN%</p>" items, the n-th
// item giving percentage n.

#include <array>
#include <string>

constexpr size_t kVoteItemCount = 10;
using VoteValues = std::array<double, kVoteItemCount>;

// The percentage of one item's text: the decimal number (C locale, never
// "inf", "nan" or hex) that starts the text after the first ":", trimmed and
// without "%" signs, held to 0 ... 100; 0 when there is none or it is out of
// range. False when the item has no ":".
bool VoteItemValue(const std::string& item, double& value);

// Stores the value of each of the first ten items into its slot; an item
// without ":" still takes a slot but leaves the slot's value as it was.
// Items after the tenth are ignored.
void ParseVoteItems(const std::string& page, VoteValues& values);
