#include "grower/file_writers.h"

#include "grower/grid_dump.h"
#include "grower/mesh_export.h"
#include "grower/progress_line.h"
#include "grower/texture_export.h"
#include "grower/write_run.h"

#include <cerrno>

std::vector<FileDetail> WritePicture(WriteRun& run, AtomicFile& file)
{
    return run.writePicture(file);
}

std::vector<FileDetail> WriteMesh(WriteRun& run, AtomicFile& file)
{
    GrownGrid const& grid = run.grid;
    double const relief = run.options.relief.value_or(DEFAULT_RELIEF);
    std::size_t const count = static_cast<std::size_t>(grid.n) * static_cast<std::size_t>(grid.n);

    ProgressLine building(run.showProgress, "mesh: building");
    GlobeMesh const globeMesh = BuildGlobeMesh(grid.points, grid.n, grid.meanRadius, relief,
        GridColors(grid.points, count, grid.meanRadius, grid.maxRadius), [&](std::int32_t rows) {
            building.Update(static_cast<std::uint64_t>(rows), static_cast<std::uint64_t>(grid.n) + 1);
        });
    building.Finish();

    ProgressLine writing(run.showProgress, "mesh: writing");
    std::string const failure = WriteGlb(file.Stream(), globeMesh, run.description.program,
        [&](std::uint64_t done, std::uint64_t total) { writing.Update(done, total); });
    writing.Finish();
    if (!failure.empty())
        throw file.WriteFailure(errno, failure);
    return { { "format", "glb" }, { "vertices", static_cast<std::int64_t>(globeMesh.VertexCount()) },
        { "triangles", static_cast<std::int64_t>(globeMesh.TriangleCount()) }, { "relief", relief } };
}

std::vector<FileDetail> WriteDump(WriteRun& run, AtomicFile& file)
{
    std::size_t const points = static_cast<std::size_t>(run.grid.n) * static_cast<std::size_t>(run.grid.n);
    if (!WriteGridDump(file.Stream(), run.grid.points, points))
        throw WriteFault(file.Name(), errno);
    return { { "format", "float32 x, y, z per point, little-endian, row by row" },
        { "points", static_cast<std::int64_t>(points) } };
}

std::vector<FileDetail> WriteMetadata(WriteRun& run, AtomicFile& file)
{
    std::string const text = MetadataText(run.description, run.written);
    if (std::fwrite(text.data(), 1, text.size(), file.Stream()) != text.size())
        throw file.WriteFailure(errno, "the write failed");
    return {};
}
