#include "app/SampleDataFile.h"

#include "app/ProgramFiles.h"
#include "platform/Files.h"
#include "platform/ProgramDirectory.h"

void PlaceSampleDataFile() {
  const std::string sample = Platform::ProgramDirectory() + kSampleDataFileName;
  if (Platform::FileExists(sample)) {
    Platform::CopyFileUnlessPresent(sample, DataFilePath());
  }
}
