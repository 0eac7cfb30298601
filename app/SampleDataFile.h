#pragma once
// The packaged folder's first start: the bundled sample becomes the data file when the folder
// has none. An existing data file, which holds the user's comments, is never replaced, so a
// newer package unpacked over the folder keeps it.

inline constexpr const char* kSampleDataFileName = "tolv2_msg.sample.db";

// Copies the sample beside the program to the data file's name when the data file is missing
// and the sample is there; otherwise does nothing. A failed copy leaves no data file behind,
// and the window then says the data file is missing.
void PlaceSampleDataFile();
