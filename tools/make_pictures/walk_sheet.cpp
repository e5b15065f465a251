// Composes and paints every frame of a four-direction walk.
#include "walk_sheet.h"

namespace pictures {
namespace {

Art compose(const Walker& walker, const View& view, const Step& step) {
    Art frame = blank_art(walker.frame_width, walker.frame_height);
    const Art& legs = step.legs == Legs::STANDING ? view.legs_standing
                      : step.legs == Legs::STRIDE ? view.legs_stride
                                                  : view.legs_other_stride;
    stamp(frame, legs, walker.legs_top);
    stamp(frame, view.body, walker.body_top + step.bob);
    return outlined(frame);
}

} // namespace

Image make_walk_sheet(const Walker& walker) {
    struct Facing {
        const View* view;
        bool mirror;
    };
    const Facing facings[] = {
        {&walker.up, false}, {&walker.right, false}, {&walker.down, false}, {&walker.right, true}};
    const int frame_count = static_cast<int>(std::size(facings) * walker.walk.size());
    Image sheet(walker.frame_width, walker.frame_height * frame_count, MAGENTA);
    int top = 0;
    for (const Facing& facing : facings) {
        for (const Step& step : walker.walk) {
            const Art frame = compose(walker, *facing.view, step);
            paint(sheet, facing.mirror ? mirrored(frame) : frame, walker.palette, top);
            top += walker.frame_height;
        }
    }
    return sheet;
}

} // namespace pictures
