#pragma once
// The same searches with the engine the build places beside the program and with the system's
// engine, each in a process of its own (a process can hold only one engine of that name).

#include <string>
#include <vector>

inline constexpr const char* kEngineChildArgument = "--engine-child";

// What a child prints for each case, and the parent reads back.
void PrintChildResult(const std::string& name, double milliseconds);

// Runs `self kEngineChildArgument` once with each engine, then prints one line per case with
// both times and their ratio against `targetRatio`. Returns false when a ratio is past it or
// a child failed.
bool CompareEngines(const std::string& self, const std::string& systemEngineDir,
                    const std::vector<std::string>& cases, double targetRatio);
