#pragma once
// What the benchmarks time their contestants with, and the plainest folder walk there is,
// the peer every scan is measured against.
#include <functional>
#include <string>
#include <vector>

namespace bench {

double Seconds(const std::function<void()>& work);

// Each contestant's best of `rounds`, run in turn round by round, so that a slow spell of
// a shared machine hits them alike.
std::vector<double> BestOfRounds(int rounds, const std::vector<std::function<void()>>& contestants);

// Open relative to the parent, read entries, descend into directories; no names kept,
// nothing converted. `visit`, when given, gets each folder's path. Returns the folders.
long BareWalk(const std::string& root, const std::function<void(const std::string& path)>& visit = {});

// A shell command as a contestant; its output is dropped.
std::function<void()> Command(const std::string& line);

}  // namespace bench
