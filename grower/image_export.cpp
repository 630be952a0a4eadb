#include "grower/image_export.h"

#include "render/drawing_context.h"
#include "render/globe_views.h"

void DrawImageView(ImageView view, Globe const& globe, HDC hdc, int width, int height)
{
    DrawingContext context;
    switch (view) {
    case ImageView::Map:
        DrawGlobeMap(context, globe, hdc, 0, 0, width, height);
        return;
    case ImageView::Lower:
        DrawGlobeLowerHemisphere(context, globe, hdc, 0, 0, width, height);
        return;
    case ImageView::Upper:
        DrawGlobeUpperHemisphere(context, globe, hdc, 0, 0, width, height);
        return;
    case ImageView::Window:
        // The window paints itself (grower/window_view.h).
        return;
    case ImageView::Texture:
        // Written straight from the grid's colours (grower/texture_export.h).
        return;
    }
}
