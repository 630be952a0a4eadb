#include "grower/image_export.h"

#include "render/hemisphere_views.h"
#include "render/map_view.h"

void DrawImageView(ImageView view, HDC hdc, int width, int height)
{
    switch (view) {
    case ImageView::Map:
        DrawMap(hdc, 0, 0, width, height);
        return;
    case ImageView::Lower:
        DrawLowerHemisphere(hdc, 0, 0, width, height);
        return;
    case ImageView::Upper:
        DrawUpperHemisphere(hdc, 0, 0, width, height);
        return;
    case ImageView::Window:
        // The window paints itself (grower/window_view.h).
        return;
    case ImageView::Texture:
        // Written straight from the grid's colours (grower/texture_export.h).
        return;
    }
}
