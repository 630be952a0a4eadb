#include "grower/world_export.h"

#include "grower/exit_status.h"
#include "grower/mesh_export.h"
#include "grower/progress_line.h"
#include "grower/texture_export.h"

#include <cerrno>

namespace {

std::unique_ptr<AtomicFile> Claim(std::string const& path, std::string& error, int& status)
{
    if (path.empty() || !error.empty())
        return nullptr;
    auto file = std::make_unique<AtomicFile>(path);
    if (!file->Open()) {
        error = file->Error();
        status = file->Status();
    }
    return file;
}

}

std::uint64_t StreamBytes(std::FILE* stream)
{
    std::fflush(stream);
#ifdef _WIN32
    long long const position = _ftelli64(stream);
#else
    long long const position = ftello(stream);
#endif
    return position < 0 ? 0 : static_cast<std::uint64_t>(position);
}

WorldExport::WorldExport(GrowerOptions const& options, std::string program, bool showProgress)
    : options(options)
    , program(std::move(program))
    , showProgress(showProgress)
{
}

std::string WorldExport::Open()
{
    std::string error;
    mesh = Claim(options.meshPath, error, status);
    metadata = Claim(options.metadataPath, error, status);
    return error;
}

std::string WorldExport::WriteFailure(AtomicFile& file, std::string const& path, std::string const& reason)
{
    // A failed write to the stream has the system's reason; anything else
    // is the encoder's own.
    if (std::ferror(file.Stream())) {
        file.FailWith(errno);
        status = file.Status();
        return file.Error();
    }
    status = EXIT_SYSTEM_REFUSED;
    return "cannot write '" + path + "': " + reason;
}

std::string WorldExport::WriteMesh(GrownGrid const& grid)
{
    if (!mesh)
        return {};
    double const relief = options.relief.value_or(DEFAULT_RELIEF);
    std::size_t const count = static_cast<std::size_t>(grid.n) * static_cast<std::size_t>(grid.n);

    ProgressLine building(showProgress, "mesh: building");
    GlobeMesh const globeMesh = BuildGlobeMesh(grid.points, grid.n, grid.meanRadius, relief,
        GridColors(grid.points, count, grid.meanRadius, grid.maxRadius), [&](std::int32_t rows) {
            building.Update(static_cast<std::uint64_t>(rows), static_cast<std::uint64_t>(grid.n) + 1);
        });
    building.Finish();

    ProgressLine writing(showProgress, "mesh: writing");
    std::string const failure = WriteGlb(mesh->Stream(), globeMesh, program,
        [&](std::uint64_t done, std::uint64_t total) { writing.Update(done, total); });
    writing.Finish();
    if (!failure.empty())
        return WriteFailure(*mesh, options.meshPath, failure);
    if (!mesh->Flush()) {
        status = mesh->Status();
        return mesh->Error();
    }

    WrittenFile file { "mesh", options.meshPath, StreamBytes(mesh->Stream()) };
    file.details = { { "format", "glb" }, { "vertices", static_cast<std::int64_t>(globeMesh.VertexCount()) },
        { "triangles", static_cast<std::int64_t>(globeMesh.TriangleCount()) }, { "relief", relief } };
    written.push_back(std::move(file));
    return {};
}

std::string WorldExport::WriteMetadata(RunDescription const& run)
{
    if (!metadata)
        return {};
    std::string const text = MetadataText(run, written);
    if (std::fwrite(text.data(), 1, text.size(), metadata->Stream()) != text.size())
        return WriteFailure(*metadata, options.metadataPath, "the write failed");
    return {};
}

std::string WorldExport::Commit()
{
    for (AtomicFile* file : { mesh.get(), metadata.get() }) {
        if (file && !file->Commit()) {
            status = file->Status();
            return file->Error();
        }
    }
    return {};
}
