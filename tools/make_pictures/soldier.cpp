// The soldiers' sheets: a helmeted spearman with a shield; blue and green differ only in armour.
#include "figures.h"
#include "walk_sheet.h"

namespace pictures {
namespace {

constexpr int FRAME_WIDTH = 22;
constexpr int FRAME_HEIGHT = 28;
constexpr int BODY_TOP = 1;
constexpr int LEGS_TOP = 23;

// Colours every soldier shares; the armour ('P', 'p', 'Q') comes with each soldier.
const Palette SHARED_COLOURS = {
    {OUTLINE, {24, 22, 34}}, // outline
    {'r', {216, 52, 44}},    // plume
    {'M', {220, 224, 232}},  // spearhead
    {'m', {140, 146, 160}},  // its shade
    {'W', {164, 108, 56}},   // spear shaft
    {'S', {244, 200, 156}},  // skin
    {'s', {204, 144, 104}},  // skin in shade
    {'e', {28, 28, 40}},     // eyes
    {'Y', {236, 196, 72}},   // gold: shield rim and boss, buckle
    {'B', {132, 84, 48}},    // belt, boots, back of the shield
    {'b', {84, 52, 32}},     // their shade
};

struct Armour {
    Rgb plate;     // 'P'
    Rgb shade;     // 'p'
    Rgb highlight; // 'Q'
};

constexpr Armour BLUE = {{60, 100, 216}, {32, 52, 136}, {128, 168, 248}};
constexpr Armour GREEN = {{56, 156, 72}, {28, 92, 44}, {132, 212, 120}};

const View UP = {
    art(R"(
        ..........rrr.......M.
        ..........rrr......MMM
        .........pPrPp.....MmM
        .......pPPPrPQPp....W.
        ......pPPPPrPPQPp...W.
        ......pPPPPrPPPPp...W.
        ......pPPPPrPPPPp...W.
        ......pPPPPrPPPPp...W.
        ......ppPPPPPPPpp...W.
        ......ppppppppppp...W.
        .......psSSSSSsp....W.
        ..YYYYPPpPPPPPpPQp..W.
        .YbBbBYPpPPPPPpPQQp.W.
        .YbBbBYpPPPPPPPpPQp.W.
        .YbBbBYpPPPPPPPpPPpSSS
        .YbBbBYBBBBBBBBBBp.SSS
        .YbBbBYpPPpPPpPPp...W.
        .YbBbBYpPPpPPpPPp...W.
        .YbBbBYpppppppppp...W.
        ..YbBY.sSS...SSs....W.
        ...YY..ppp...ppp....W.
        .......pPp...pPp....W.
    )"),
    art(R"(
        .......pPp...pPp....W.
        .......pPp...pPp....W.
        ......bBBb..bBBb....W.
        ......bbbb..bbbb....W.
    )"),
    art(R"(
        .......pPp...pPp....W.
        .......pPp..bBBb....W.
        ......bBBb..bbbb....W.
        ......bbbb..........W.
    )"),
    art(R"(
        .......pPp...pPp....W.
        ......bBBb...pPp....W.
        ......bbbb..bBBb....W.
        ............bbbb....W.
    )"),
};

const View RIGHT = {
    art(R"(
        .........rrrr.......M.
        .......rrrrrr......MMM
        ......rr.pPPPPp....MmM
        .....r..pPQQPPPPp...W.
        ........pPQPPPPPPp..W.
        .......pPPPPPPPPPPP.W.
        .......pPPPPPpSSSS..W.
        .......pPPPPpSSSeSS.W.
        .......pPPPPpSSSSSS.W.
        ........pPPPpSSSsS..W.
        .........pppSSSSs...W.
        .YYYY..pPPPPPPPPp...W.
        YPPPPY.pQPPPPPPPPp..W.
        YPQPPY.pQPPPPPPPPpSSS.
        YPQYPY.pBBBBBBBBBpSSS.
        YPPYPY.pPPpPPpPPp...W.
        YPPPPY.pPPpPPpPPp...W.
        .YPPY..ppppppppp....W.
        .YPPY...pPPPp.......W.
        ..YY....pPPPp.......W.
        ........pPPPp.......W.
        ........pPPPp.......W.
    )"),
    art(R"(
        ........pPPPp.......W.
        ........pPPPp.......W.
        ........bBBBBb......W.
        ........bbbbbbb.....W.
    )"),
    art(R"(
        .......pPp.pPp......W.
        ......pPp...pPp.....W.
        .....bBb....bBBb....W.
        .....bbb....bbbbb...W.
    )"),
    art(R"(
        .......ppp.pPp......W.
        ......ppp...pPp.....W.
        .....bbb....bBBb....W.
        .....bbb....bbbbb...W.
    )"),
};

const View DOWN = {
    art(R"(
        .M.......rrr..........
        MMM......rrr..........
        MmM.....pPrPp.........
        .W....pPQPrPPPp.......
        .W...pPQPPrPPPPp......
        .W...pPPPPPPPPPp......
        .W...ppSSSSSSSpp......
        .W...pSSeSSSeSSp......
        .W...pSSeSSSeSSp......
        .W...ppSSSsSSSpp......
        .W....ppSSSSSpp.......
        .W..pQPpPPPPPpPPYYYY..
        .W.pQQPpPPPPPpPYQPPPY.
        .W.pQPpPPPPPPPpYQPPPY.
        SSSpPPpPPPPPPPpYPPPPY.
        SSS.pBBBBBYBBBBYPYYPY.
        .W...pPPpPPpPPpYPYYPY.
        .W...pPPpPPpPPpYPPPPY.
        .W...ppppppppppYPPPPY.
        .W....sSS...SSs.YPPY..
        .W....ppp...ppp..YY...
        .W....pPp...pPp.......
    )"),
    mirrored(UP.legs_standing),
    mirrored(UP.legs_stride),
    mirrored(UP.legs_other_stride),
};

// The standing pose, then stride, pass and the other stride.
const std::vector<Step> WALK = {
    {Legs::STANDING, 0}, {Legs::STRIDE, 1}, {Legs::STANDING, 0}, {Legs::OTHER_STRIDE, 1}};

Image make_soldier_sheet(const Armour& armour) {
    Palette palette = SHARED_COLOURS;
    palette['P'] = armour.plate;
    palette['p'] = armour.shade;
    palette['Q'] = armour.highlight;
    return make_walk_sheet(
        {FRAME_WIDTH, FRAME_HEIGHT, BODY_TOP, LEGS_TOP, UP, RIGHT, DOWN, WALK, palette});
}

} // namespace

Image make_blue_soldier_sheet() {
    return make_soldier_sheet(BLUE);
}

Image make_green_soldier_sheet() {
    return make_soldier_sheet(GREEN);
}

} // namespace pictures
