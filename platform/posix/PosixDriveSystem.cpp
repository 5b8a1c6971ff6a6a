#include "platform/posix/PosixDriveSystem.h"

namespace platform {

// Placeholder until the mount table is read: the root file system alone, as c.
std::uint32_t PosixDriveSystem::LogicalDrives() { return 1u << ('c' - 'a'); }
DriveType PosixDriveSystem::TypeOf(char letter) { return letter == 'c' ? DriveType::Fixed : DriveType::NoRootDir; }
std::optional<std::string> PosixDriveSystem::VolumeLabel(char) { return std::nullopt; }
std::optional<std::string> PosixDriveSystem::RemoteName(char) { return std::nullopt; }
std::string PosixDriveSystem::CurrentDirectory() { return "C:\\"; }
std::string PosixDriveSystem::NativeRoot(char) { return "/"; }

}  // namespace platform
