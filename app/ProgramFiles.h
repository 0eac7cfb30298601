#pragma once
// The two files the program needs, both in its own directory: the engine library and the
// message data file.

#include <string>

inline constexpr const char* kDataFileName = "tolv2_msg.db";

// Full UTF-8 paths in the program's directory.
std::string EngineLibraryPath();
std::string DataFilePath();

// "ERROR: <engine file name> not found" and "ERROR: tolv2_msg.db not found".
std::u16string EngineMissingMessage();
std::u16string DataFileMissingMessage();
