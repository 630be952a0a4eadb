#include "globe/sphere_directions.h"

#include "globe/portable_trig.h"
#include "globe/sphere_point.h"

#include <cmath>
#include <cstddef>

EquirectangularStarts::EquirectangularStarts(MapWindow const& window)
    : window(window)
    , columnCos(static_cast<std::size_t>(window.width))
    , columnSin(static_cast<std::size_t>(window.width))
{
    for (int x = 0; x < window.width; ++x) {
        double const phi = (SPHERE_PI * (2.0 * (window.left + x) + 1.0)) / window.mapWidth;
        columnCos[static_cast<std::size_t>(x)] = PortableCos(phi);
        columnSin[static_cast<std::size_t>(x)] = PortableSin(phi);
    }
}

void EquirectangularStarts::Fill(int firstRow, int rows, GlobePoint* out) const
{
    for (int r = 0; r < rows; ++r) {
        double const theta = (SPHERE_PI * (2.0 * (window.top + firstRow + r) + 1.0)) / (2.0 * window.mapHeight);
        double const cosTheta = PortableCos(theta);
        double const sinTheta = PortableSin(theta);
        GlobePoint* row = out + static_cast<std::size_t>(r) * static_cast<std::size_t>(window.width);
        for (int x = 0; x < window.width; ++x)
            row[x] = SpherePoint(cosTheta, sinTheta, columnCos[static_cast<std::size_t>(x)],
                columnSin[static_cast<std::size_t>(x)]);
    }
}

char const* CubeFaceName(CubeFace face)
{
    switch (face) {
    case CubeFace::PositiveX:
        return "px";
    case CubeFace::NegativeX:
        return "nx";
    case CubeFace::PositiveY:
        return "py";
    case CubeFace::NegativeY:
        return "ny";
    case CubeFace::PositiveZ:
        return "pz";
    case CubeFace::NegativeZ:
        return "nz";
    }
    return "?";
}

GlobePoint CubeFaceStart(CubeFace face, int size, int i, int j)
{
    double const a = (2.0 * i + 1.0) / size - 1.0;
    double const b = (2.0 * j + 1.0) / size - 1.0;
    double dx = 0.0;
    double dy = 0.0;
    double dz = 0.0;
    switch (face) {
    case CubeFace::PositiveX:
        dx = 1.0, dy = -b, dz = -a;
        break;
    case CubeFace::NegativeX:
        dx = -1.0, dy = -b, dz = a;
        break;
    case CubeFace::PositiveY:
        dx = a, dy = 1.0, dz = b;
        break;
    case CubeFace::NegativeY:
        dx = a, dy = -1.0, dz = -b;
        break;
    case CubeFace::PositiveZ:
        dx = a, dy = -b, dz = 1.0;
        break;
    case CubeFace::NegativeZ:
        dx = -a, dy = -b, dz = -1.0;
        break;
    }
    double const n = std::sqrt((dx * dx + dy * dy) + dz * dz);
    double const r = GLOBE_RADIUS;
    return { static_cast<float>((r * dx) / n), static_cast<float>((r * dy) / n), static_cast<float>((r * dz) / n) };
}

void FillCubeFaceStarts(CubeFace face, int size, int firstRow, int rows, GlobePoint* out)
{
    for (int r = 0; r < rows; ++r) {
        GlobePoint* row = out + static_cast<std::size_t>(r) * static_cast<std::size_t>(size);
        for (int i = 0; i < size; ++i)
            row[i] = CubeFaceStart(face, size, i, firstRow + r);
    }
}
