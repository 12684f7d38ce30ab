// What a user on the machine does outside Windows' calls: links and modes
// made with Unix commands in the prefix, as Wine shows them to programs.
#pragma once

#include <functional>
#include <string>

// The Unix path of a Windows path in the prefix; empty if unknown.
std::string UnixPathOf(const std::string& path);

// Runs a Unix command line (Wine starts non-Windows programs itself, without
// a handle to wait on) and waits, bounded, until `done` holds.
bool RunUnix(const std::string& commandLine, const std::function<bool()>& done);

// `command` with the Unix path of `path` as its last argument, waiting until
// `path` exists or not.
bool RunUnixOn(const std::string& command, const std::string& path, bool exists);

// A symbolic link at `link` to `target` (Windows paths), or a hard link.
bool MakeSymbolicLink(const std::string& target, const std::string& link);
bool MakeHardLink(const std::string& target, const std::string& link);
