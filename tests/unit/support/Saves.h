#pragma once
// Whether a plain-text save to a native path goes through: the writers' failures as a bool.
#include <string>

#include "save/SaveError.h"
#include "save/SavePath.h"
#include "save/TextFile.h"

inline const std::string kOldContent = "old content\r\n";

inline bool Saves(const std::string& native, const std::string& bytes) {
    try {
        save::WriteTextFile(save::SavePath::FromNative(native), bytes);
        return true;
    } catch (const save::SaveError&) {
        return false;
    }
}
