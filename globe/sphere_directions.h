#pragma once

#include "globe/globe_point.h"

#include <vector>

// Starting points on the sphere for the pixels of an output, row by row.

// A window of `width` x `height` pixels at (left, top) of an equirectangular
// map of mapWidth x mapHeight pixels: x runs east from longitude 0, y south
// from the +z pole.
struct MapWindow {
    int mapWidth;
    int mapHeight;
    int left;
    int top;
    int width;
    int height;
};

// Pixel (x, y) of the map starts at polar angle (pi (2y + 1)) / (2 mapHeight)
// and longitude (pi (2x + 1)) / mapWidth, each formed in double precision in
// that order, and from there as a grid point starts from its angles.
class EquirectangularStarts {
public:
    explicit EquirectangularStarts(MapWindow const& window);

    // The starting points of the window's rows firstRow to
    // firstRow + rows - 1, `width` points each.
    void Fill(int firstRow, int rows, GlobePoint* out) const;

private:
    MapWindow window;
    std::vector<double> columnCos;
    std::vector<double> columnSin;
};

// The six faces of a cube map, in the order and with the axes of the OpenGL
// convention.
enum class CubeFace {
    PositiveX,
    NegativeX,
    PositiveY,
    NegativeY,
    PositiveZ,
    NegativeZ,
};

inline constexpr CubeFace CUBE_FACES[] = { CubeFace::PositiveX, CubeFace::NegativeX, CubeFace::PositiveY,
    CubeFace::NegativeY, CubeFace::PositiveZ, CubeFace::NegativeZ };

// "px", "nx", "py", "ny", "pz", "nz".
char const* CubeFaceName(CubeFace face);

// Pixel (i, j) of a size x size face, column i from the left and row j from
// the top, looks along d: with a = (2i + 1) / size - 1 and
// b = (2j + 1) / size - 1, px (1, -b, -a), nx (-1, -b, a), py (a, 1, b),
// ny (a, -1, -b), pz (a, -b, 1), nz (-a, -b, -1). It starts at
// (2000 d) / sqrt((dx^2 + dy^2) + dz^2), each coordinate formed in double
// precision and rounded to single precision.
GlobePoint CubeFaceStart(CubeFace face, int size, int i, int j);

// The starting points of rows firstRow to firstRow + rows - 1 of a face,
// `size` points each.
void FillCubeFaceStarts(CubeFace face, int size, int firstRow, int rows, GlobePoint* out);
