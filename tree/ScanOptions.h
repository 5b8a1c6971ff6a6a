#pragma once
// What a scan lists besides every folder, for one run of the program: nothing of it is kept.
#include "tree/NamePatterns.h"

struct ScanOptions {
    // Each folder's files too, before its subfolders.
    bool files = false;
    // Levels below the root that are listed (1: the root's children); 0 for all.
    int depth = 0;
    // Entries whose name matches are not listed, and such a folder not entered.
    NamePatterns excluded;

    bool operator==(const ScanOptions& other) const = default;
};
