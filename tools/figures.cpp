// figures.cpp -- the host, the six guests and the cook: their looks and the pose tables of every
// animation strip, drawn by the one figure routine of figure.cpp.
#include <cmath>
#include <numbers>

#include "tools/figures.h"
#include "tools/materials.h"
#include "tools/pictures.h"

namespace {

constexpr TShades SKIN_LIGHT{{196, 140, 104}, {232, 180, 140}, {248, 210, 172}};
constexpr TShades SKIN_MEDIUM{{150, 96, 60}, {196, 136, 92}, {224, 172, 122}};
constexpr TShades SKIN_DARK{{92, 58, 38}, {132, 88, 58}, {168, 118, 82}};
constexpr TShades ROPE{{110, 84, 44}, {170, 136, 80}, {206, 176, 116}};
constexpr TShades WHITE_CLOTH{{176, 178, 190}, {230, 230, 234}, {252, 252, 252}};

// The six guests, told apart by robe colour and hair.
constexpr TShades BLUE{{38, 54, 110}, {62, 88, 170}, {98, 130, 208}};
constexpr TShades GREEN{{32, 82, 40}, {58, 128, 60}, {98, 172, 88}};
constexpr TShades WINE_RED{{102, 24, 36}, {156, 40, 52}, {198, 78, 82}};
constexpr TShades PURPLE{{64, 38, 92}, {110, 66, 146}, {152, 106, 188}};
constexpr TShades OCHRE{{146, 90, 26}, {204, 136, 44}, {238, 182, 82}};
constexpr TShades TEAL{{22, 94, 98}, {40, 144, 146}, {82, 192, 188}};
constexpr TShades BROWN_HAIR{{66, 40, 22}, {104, 64, 34}, {142, 94, 54}};
constexpr TShades BLACK_HAIR{{20, 18, 22}, {42, 38, 44}, {74, 68, 76}};
constexpr TShades BLOND_HAIR{{172, 128, 44}, {220, 180, 80}, {246, 222, 132}};
constexpr TShades GREY_HAIR{{118, 118, 124}, {170, 170, 174}, {216, 216, 216}};
constexpr TShades RED_HAIR{{128, 42, 18}, {184, 72, 32}, {224, 114, 62}};

constexpr TLook GUEST_LOOKS[6] = {
    {SKIN_LIGHT, BROWN_HAIR, BLUE, BLUE, ROPE, HAIR_SHORT, true, false, false},
    {SKIN_MEDIUM, BLACK_HAIR, GREEN, GREEN, ROPE, HAIR_LONG, true, false, false},
    {SKIN_LIGHT, BLOND_HAIR, WINE_RED, WINE_RED, ROPE, HAIR_CURLY, true, false, false},
    {SKIN_MEDIUM, GREY_HAIR, PURPLE, PURPLE, ROPE, HAIR_BALD_BEARD, true, false, false},
    {SKIN_DARK, BROWN_HAIR, OCHRE, OCHRE, ROPE, HAIR_HOOD, true, false, false},
    {SKIN_LIGHT, RED_HAIR, TEAL, TEAL, ROPE, HAIR_BUN, true, false, false},
};

// The host: white shirt and apron, a crimson vest, dark trousers; a head taller than the guests.
constexpr TLook HOST_LOOK{SKIN_LIGHT,
                          BLACK_HAIR,
                          WHITE_CLOTH,
                          {{40, 34, 46}, {66, 56, 72}, {94, 82, 100}},
                          {{112, 18, 28}, {176, 34, 44}, {214, 72, 72}},
                          HAIR_SLICK,
                          false,
                          true,
                          true,
                          1};

// The cook: tall white toque, white jacket, red neckerchief, grey-blue trousers.
constexpr TLook COOK_LOOK{SKIN_MEDIUM,
                          BROWN_HAIR,
                          WHITE_CLOTH,
                          {{62, 66, 86}, {96, 102, 124}, {132, 138, 158}},
                          {{128, 24, 24}, {186, 40, 36}, {222, 80, 64}},
                          HAIR_TOQUE,
                          false,
                          false,
                          false};

const char FACING_LETTERS[4] = {'l', 'h', 'r', 'v'}; // file letters of the game's facing codes

float lerp(float a, float b, float t) {
    return a + (b - a) * t;
}
TBodyPoint lerp(TBodyPoint a, TBodyPoint b, float t) {
    return {lerp(a.fwd, b.fwd, t), lerp(a.side, b.side, t), lerp(a.down, b.down, t)};
}

// Hands of a seated figure resting on the table's edge.
constexpr TBodyPoint REST_LEFT{6, 3, 0}, REST_RIGHT{7, -3, 0};

TPose walk(int i) {
    TPose p;
    p.step = i;
    float swing = i == 0 ? 2.5f : i == 2 ? -2.5f : 0;
    p.hand[0] = {-swing, 6.5f, -1};
    p.hand[1] = {swing, -6.5f, -1};
    return p;
}

TPose walk_with_dish(int i) {
    TPose p;
    p.step = i;
    p.dish = true;
    p.hand[0] = {6, 3, -6};
    p.hand[1] = {6, -3, -6};
    return p;
}

// Picking up: bent forward over the dish, then lifting it to the carrying pose.
TPose pick_up(int i) {
    float t = i / 6.f;
    TPose p = walk_with_dish(0);
    p.step = -1;
    p.lean = lerp(3, 0, t);
    p.hand[0] = lerp({9, 3, 3}, {6, 3, -6}, t);
    p.hand[1] = lerp({9, -3, 3}, {6, -3, -6}, t);
    p.dish_at = lerp({10, 0, 2}, {7, 0, -7}, t);
    return p;
}

// Putting down: the dish has just left the hands, which come back to the sides.
TPose put_down(int i) {
    float t = i / 6.f;
    TPose p;
    p.lean = lerp(3, 0, t);
    p.hand[0] = lerp({9, 3, 3}, {0, 6.5f, -1}, t);
    p.hand[1] = lerp({9, -3, 3}, {0, -6.5f, -1}, t);
    return p;
}

// Sitting down: the hips sink onto the chair and the hands come to the table; frame 6 is the
// seated pose of a waiting guest.
TPose sit_down(int i) {
    float t = i / 6.f;
    TPose p;
    p.sit = t;
    p.hand[0] = lerp({0, 6.5f, -1}, REST_LEFT, t);
    p.hand[1] = lerp({0, -6.5f, -1}, REST_RIGHT, t);
    return p;
}

// Eating: the right hand goes to the plate, up to the mouth, chews, and comes back.
TPose eat(int i) {
    constexpr TBodyPoint PLATE{10, -3, 1}, MOUTH{4, -1.5f, -13.5f};
    TPose p = sit_down(6);
    if (i < 3)
        p.hand[1] = lerp(REST_RIGHT, PLATE, i / 2.f);
    else if (i < 8)
        p.hand[1] = lerp(PLATE, MOUTH, (i - 3) / 4.f);
    else if (i < 12)
        p.hand[1] = MOUTH;
    else if (i < 16)
        p.hand[1] = lerp(MOUTH, REST_RIGHT, (i - 11) / 4.f);
    p.mouth_open = i == 8 || i == 10 || i == 12 || i == 14;
    p.head_drop = i == 9 || i == 11 || i == 13 ? 1 : 0;
    return p;
}

// Asleep at the table: bent over the folded arms, the head resting on them.
TPose asleep() {
    TPose p = sit_down(6);
    p.lean = 5;
    p.head_drop = 4;
    p.hand[0] = {9, 3, -1};
    p.hand[1] = {9, -3, -1};
    p.head_over_arms = true;
    p.eyes_closed = true;
    return p;
}

// Giving up: the shoulders sag, the head drops and the eyes close, ending asleep.
TPose give_up(int i) {
    float t = std::min(i / 6.f, 1.f);
    TPose from = sit_down(6), to = asleep(), p = to;
    p.lean = lerp(from.lean, to.lean, t);
    p.head_drop = lerp(from.head_drop, to.head_drop, t);
    for (int h = 0; h < 2; ++h) p.hand[h] = lerp(from.hand[h], to.hand[h], t);
    p.eyes_closed = i >= 4;
    p.head_over_arms = i >= 3;
    return p;
}

// The given-up loop: two slow breaths and a rising "z", then a rest that equals frame 0, so that
// the loop joins smoothly whether the game wraps it after 68, 69 or 70 frames.
TPose given_up(int i) {
    TPose p = asleep();
    int breath = i % 33;
    if (i < 66 && breath >= 9 && breath < 21) p.lean = 4;
    if (i >= 4 && i < 40) p.zzz = (i - 4) / 4;
    return p;
}

// Cooking, seen from behind: stirring, then reaching forward to set the dish on the counter.
TPose cook_at_counter(int i) {
    TPose p;
    if (i == 4 || i == 5) {
        p.hand[0] = {8, 3, -8};
        p.hand[1] = {8, -3, -8};
        return p;
    }
    float a = float(i) * std::numbers::pi_v<float> / 2;
    p.hand[0] = {5, 7, -5};
    p.hand[1] = {5, -7 + std::cos(a) * 1.5f, -5 + std::sin(a) * 1.5f};
    return p;
}

// A wisp of steam above the pot, rising through the first frames of cooking.
void add_steam(TCanvas& c, int i) {
    if (i > 3) return;
    int y = 16 - i * 3; // beside the toque, above the stirring hand
    c.shaded_ellipse(26 - i * 0.5f, float(y), 2, 1.5f, material::STEAM, 0.3f);
    if (i > 0) c.shaded_ellipse(28 - i * 0.5f, float(y + 4), 1.5f, 1.2f, material::STEAM, 0.3f);
}

struct TStripKind {
    const char* name; // file name part before the facing letter
    int frames;
    TPose (*pose)(int);
};

constexpr TStripKind HOST_STRIPS[4] = {
    {"lo", 4, walk}, {"lm", 4, walk_with_dish}, {"n", 7, pick_up}, {"a", 7, put_down}};
constexpr TStripKind GUEST_STRIPS[5] = {
    {"l", 4, walk}, {"h", 7, sit_down}, {"e", 19, eat}, {"s", 9, give_up}, {"a", 70, given_up}};

TCanvas figure_strip(const TLook& look, TFacing facing, const TStripKind& kind) {
    std::vector<TCanvas> cells;
    for (int i = 0; i < kind.frames; ++i) cells.push_back(draw_figure(look, facing, kind.pose(i)));
    return make_strip(cells);
}

void add_strips(TPictureList& list, const std::string& folder, const TLook& look,
                const TStripKind* kinds, int count) {
    for (int k = 0; k < count; ++k)
        for (int f = 0; f < 4; ++f)
            list.push_back({folder + kinds[k].name + FACING_LETTERS[f] + ".png",
                            figure_strip(look, TFacing(f), kinds[k]), FIGURE_WIDTH, FIGURE_HEIGHT});
}

} // namespace

const TLook& guest_look(int kind) {
    return GUEST_LOOKS[kind];
}
const TLook& host_look() {
    return HOST_LOOK;
}
TPose seated_pose() {
    return sit_down(6);
}

void add_people_pictures(TPictureList& list) {
    add_strips(list, "gfx/Menschen/Ostrel/", HOST_LOOK, HOST_STRIPS, 4);
    for (int k = 0; k < 6; ++k)
        add_strips(list, "gfx/Menschen/J\xc3\xbcnger/" + std::to_string(k + 1), GUEST_LOOKS[k],
                   GUEST_STRIPS, 5);
    const std::string cook = "gfx/Menschen/Koch/";
    list.push_back({cook + "ll.png", figure_strip(COOK_LOOK, FACE_LEFT, {"", 4, walk}),
                    FIGURE_WIDTH, FIGURE_HEIGHT});
    list.push_back({cook + "lr.png", figure_strip(COOK_LOOK, FACE_RIGHT, {"", 4, walk}),
                    FIGURE_WIDTH, FIGURE_HEIGHT});
    std::vector<TCanvas> cooking;
    for (int i = 0; i < 7; ++i) {
        cooking.push_back(draw_figure(COOK_LOOK, FACE_UP, cook_at_counter(i)));
        add_steam(cooking.back(), i);
    }
    list.push_back({cook + "ah.png", make_strip(cooking), FIGURE_WIDTH, FIGURE_HEIGHT});
}
