#include "render/elevation_color.h"

HBRUSH CreateElevationBrush(float radius, float meanRadius, float maxRadius)
{
    return CreateSolidBrush(ElevationColor(radius, meanRadius, maxRadius));
}
