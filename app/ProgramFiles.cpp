#include "app/ProgramFiles.h"

#include "platform/EngineLibrary.h"
#include "platform/ProgramDirectory.h"

std::string EngineLibraryPath() {
  return Platform::ProgramDirectory() + Platform::kSqlite3LibraryName;
}

std::string DataFilePath() {
  return Platform::ProgramDirectory() + kDataFileName;
}

QString EngineMissingMessage() {
  return QStringLiteral("ERROR: %1 not found").arg(QLatin1String(Platform::kSqlite3LibraryName));
}

QString DataFileMissingMessage() {
  return QStringLiteral("ERROR: %1 not found").arg(QLatin1String(kDataFileName));
}
