// The writers of the outputs written whole, one file each (see
// output_table.h for their signature).
#pragma once

#include "grower/metadata_export.h"

#include <vector>

class AtomicFile;
struct WriteRun;

// The picture, drawn by the renderer the run lends (WriteRun::writePicture).
std::vector<FileDetail> WritePicture(WriteRun& run, AtomicFile& file);

// The globe as a glTF 2.0 binary.
std::vector<FileDetail> WriteMesh(WriteRun& run, AtomicFile& file);

// The grid's points as little-endian float32 triples.
std::vector<FileDetail> WriteDump(WriteRun& run, AtomicFile& file);

// The run and every file written before it, as JSON.
std::vector<FileDetail> WriteMetadata(WriteRun& run, AtomicFile& file);
