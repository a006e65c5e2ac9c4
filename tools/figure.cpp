// figure.cpp -- one person drawn into a 32 x 48 cell: legs, robe or trousers, torso, arms, head
// and hair, placed by a pose and projected for the four facings, then outlined.
#include "tools/figure.h"

#include <algorithm>
#include <cmath>

#include "tools/materials.h"

namespace {

constexpr float GROUND = 45;   // the row the feet stand on
constexpr float HIP_ROW = 34;  // the hips of a standing figure
constexpr float SEAT_DROP = 4; // how much lower the hips of a seated figure are

struct TFigure {
    TCanvas& c;
    const TLook& look;
    TFacing facing;
    const TPose& pose;
    float hip_y;
    int dir; // side views: -1 facing left, +1 facing right; 0 seen from the front or behind

    bool side_view() const { return dir != 0; }

    TCellPoint at(TBodyPoint p) const {
        switch (facing) {
        case FACE_DOWN:
            return {16 + p.side, hip_y + p.down + p.fwd * 0.5f};
        case FACE_UP:
            return {16 - p.side, hip_y + p.down - p.fwd * 0.5f};
        case FACE_LEFT:
            return {16 - p.fwd, hip_y + p.down + p.side * 0.25f};
        case FACE_RIGHT:
            return {16 + p.fwd, hip_y + p.down - p.side * 0.25f};
        }
        return {16, hip_y};
    }
    // How far a point lies toward the viewer; the body's axis is 0.
    float depth(TBodyPoint p) const {
        switch (facing) {
        case FACE_DOWN:
            return p.fwd;
        case FACE_UP:
            return -p.fwd;
        case FACE_LEFT:
            return p.side;
        case FACE_RIGHT:
            return -p.side;
        }
        return 0;
    }
    TBodyPoint shoulder(int hand) const {
        return {pose.lean * 0.5f, hand == 0 ? 5.f : -5.f, -10.5f + pose.lean * 0.2f};
    }
    TBodyPoint head_point() const {
        return {pose.lean + pose.head_drop * 0.3f, 0, -17.5f + pose.head_drop + pose.lean * 0.4f};
    }
};

// One horizontal run of a body part, shaded light on its left end and dark on its right.
void shaded_run(TCanvas& c, float x1, float x2, int y, const TShades& s) {
    int a = int(std::lround(x1)), b = int(std::lround(x2)) - 1;
    for (int x = a; x <= b; ++x) c.set(x, y, x == a ? s.light : x >= b - 1 ? s.dark : s.mid);
}

// A body part as rows between two centre points with a half-width at each end.
void tapered(TCanvas& c, TCellPoint top, float top_half, TCellPoint bottom, float bottom_half,
             const TShades& s) {
    int y1 = int(std::lround(top.y)), y2 = int(std::lround(bottom.y));
    for (int y = y1; y <= y2; ++y) {
        float t = y2 == y1 ? 0 : float(y - y1) / float(y2 - y1);
        float cx = top.x + (bottom.x - top.x) * t, hw = top_half + (bottom_half - top_half) * t;
        shaded_run(c, cx - hw, cx + hw, y, s);
    }
}

// The feet's horizontal offset and lift for the walking phases.
struct TStride {
    float fwd[2];
    int lift[2];
};
constexpr TStride STRIDES[4] = {
    {{3, -3}, {0, 0}}, {{0, 0}, {1, 0}}, {{-3, 3}, {0, 0}}, {{0, 0}, {0, 1}}};

void draw_foot(TFigure& f, float x, float bottom, const TShades& shoe) {
    int y = int(std::lround(bottom));
    if (f.side_view()) {
        float front = f.dir > 0 ? x + 3 : x - 3;
        f.c.hline(int(std::lround(std::min(x - 1, front))), int(std::lround(std::max(x, front))),
                  y - 1, shoe.mid);
        f.c.hline(int(std::lround(std::min(x - 1, front))), int(std::lround(std::max(x, front))), y,
                  shoe.dark);
    } else {
        f.c.fill_rect(int(std::lround(x - 2)), y - 1, 4, 2, shoe.mid);
        f.c.hline(int(std::lround(x - 2)), int(std::lround(x + 1)), y, shoe.dark);
    }
}

// Legs and feet; a robe hides the legs, so robed figures only show their feet.
void draw_legs(TFigure& f) {
    const TShades shoe = material::DARK_WOOD;
    const TStride still{{0, 0}, {0, 0}};
    const TStride& s = f.pose.step >= 0 ? STRIDES[f.pose.step % 4] : still;
    bool seated = f.pose.sit > 0.5f;
    if (seated && f.facing == FACE_UP) return; // the legs lie under the table, out of sight
    for (int leg = 0; leg < 2; ++leg) {
        float side = leg == 0 ? 3 : -3;
        TCellPoint hip = f.at({0, side, 0});
        float fx, bottom;
        if (seated) {
            fx = f.side_view() ? 16 + f.dir * 7 : hip.x;
            bottom = GROUND - (f.side_view() ? 1 : 0);
        } else if (f.side_view()) {
            fx = 16 + f.dir * s.fwd[leg];
            bottom = GROUND - s.lift[leg];
        } else {
            fx = hip.x;
            float toward = f.facing == FACE_DOWN ? 1 : -1;
            bottom = GROUND + toward * s.fwd[leg] / 3 - s.lift[leg];
        }
        if (!f.look.long_robe) {
            if (seated && f.side_view()) {
                tapered(f.c, {16 + f.dir * 2.f, f.hip_y}, 2, {fx, f.hip_y}, 2, f.look.bottom);
                tapered(f.c, {fx, f.hip_y}, 1.5f, {fx, bottom - 1}, 1.5f, f.look.bottom);
            } else {
                TCellPoint top = f.side_view() ? TCellPoint{16, f.hip_y} : hip;
                tapered(f.c, top, 2, {fx, bottom - 1}, 1.5f, f.look.bottom);
            }
        }
        draw_foot(f, fx, bottom, shoe);
    }
}

// The robe from the hips down, or the apron over trousers.
void draw_lower_body(TFigure& f) {
    bool seated = f.pose.sit > 0.5f;
    float sway = f.pose.step == 1 ? 1 : f.pose.step == 3 ? -1 : 0;
    if (f.look.long_robe) {
        float hem = GROUND - 2;
        if (seated && f.side_view()) {
            tapered(f.c, {16 + f.dir * 2.f, f.hip_y - 1}, 4.5f, {16 + f.dir * 3.f, f.hip_y + 2},
                    6.5f, f.look.bottom);
            tapered(f.c, {16 + f.dir * 5.f, f.hip_y + 2}, 3.5f, {16 + f.dir * 5.5f, hem}, 4,
                    f.look.bottom);
        } else if (f.side_view()) {
            tapered(f.c, {16, f.hip_y}, 4.5f, {16 - f.dir * sway, hem}, 6, f.look.bottom);
        } else {
            tapered(f.c, {16, f.hip_y}, 6, {16 + sway, hem}, seated ? 6.5f : 7.5f, f.look.bottom);
        }
    }
    if (f.look.apron && f.facing != FACE_UP) {
        const TShades apron{{188, 188, 196}, {236, 236, 238}, {252, 252, 252}};
        float front = f.side_view() ? 16 + f.dir * 3.f : 16;
        float half = f.side_view() ? 2 : 5;
        tapered(f.c, {front, f.hip_y - 3}, half, {front, GROUND - 5 - (seated ? 3 : 0)},
                half + 0.5f, apron);
    }
}

void draw_torso(TFigure& f) {
    TCellPoint neck = f.at({f.pose.lean * 0.5f, 0, -11.f + f.pose.lean * 0.2f});
    TCellPoint waist = f.at({0, 0, 1});
    if (f.side_view()) {
        tapered(f.c, neck, 3.5f, waist, 4.5f, f.look.top);
    } else {
        tapered(f.c, neck, 5.5f, waist, 6, f.look.top);
        f.c.set(int(std::lround(neck.x - 5.5f)), int(std::lround(neck.y)), TRANSPARENT);
        f.c.set(int(std::lround(neck.x + 4.5f)), int(std::lround(neck.y)), TRANSPARENT);
    }
    if (f.look.vest && f.facing != FACE_UP) {
        float half = f.side_view() ? 2.5f : 3.5f;
        TCellPoint top = {neck.x + f.dir * 1.f, neck.y + 1};
        tapered(f.c, top, half, {waist.x + f.dir * 1.f, waist.y - 1}, half + 0.5f, f.look.trim);
        if (!f.side_view()) f.c.vline(int(neck.x), int(top.y), int(waist.y) - 2, f.look.top.light);
    }
    // the belt, or the neckerchief of a jacket
    if (f.look.long_robe) {
        float half = f.side_view() ? 4.5f : 6;
        shaded_run(f.c, waist.x - half, waist.x + half, int(std::lround(waist.y)) - 1, f.look.trim);
    } else if (!f.look.vest) {
        float half = f.side_view() ? 2 : 3;
        shaded_run(f.c, neck.x - half + f.dir, neck.x + half + f.dir, int(std::lround(neck.y)),
                   f.look.trim);
    }
}

void draw_arm(TFigure& f, int hand, unsigned parts) {
    TCellPoint s = f.at(f.shoulder(hand)), h = f.at(f.pose.hand[hand]);
    const TShades& sleeve = f.look.top;
    bool far = f.side_view() && f.depth(f.shoulder(hand)) < 0;
    if (parts & PART_ARMS)
        f.c.thick_line(int(std::lround(s.x - 0.5f)), int(std::lround(s.y)),
                       int(std::lround(h.x - 0.5f)), int(std::lround(h.y - 1)),
                       far ? sleeve.dark : sleeve.mid);
    if (parts & PART_HANDS)
        f.c.fill_rect(int(std::lround(h.x - 1)), int(std::lround(h.y - 1)), 2, 2,
                      far ? f.look.skin.mid : f.look.skin.light);
}

// The hair of the back of the head, drawn before the face.
void draw_back_hair(TFigure& f, TCellPoint h) {
    const TShades& hair = f.look.hair;
    switch (f.look.hair_style) {
    case HAIR_LONG:
        if (f.side_view())
            f.c.fill_rect(int(h.x - f.dir * 4 - 2), int(h.y - 2), 4, 9, hair.dark);
        else
            f.c.fill_rect(int(h.x - 6.5f), int(h.y - 2), 13, 9, hair.dark);
        break;
    case HAIR_CURLY:
        f.c.shaded_ellipse(h.x, h.y - 1, 7.5f, 6.5f, hair, 0.2f);
        break;
    case HAIR_HOOD:
        f.c.shaded_ellipse(h.x, h.y, 7.5f, 7.5f, f.look.top, 0.1f);
        break;
    case HAIR_BUN:
        f.c.shaded_ellipse(h.x - f.dir * 4.f, h.y - 6, 3, 2.5f, hair);
        break;
    default:
        break;
    }
}

// Whether a pixel of the head (u, v relative to its radii) is covered by hair.
bool hair_covers(const TFigure& f, float u, float v) {
    bool back = f.facing == FACE_UP;
    switch (f.look.hair_style) {
    case HAIR_BALD_BEARD:
        if (back) return v > -0.1f && v < 0.6f;
        if (f.side_view())
            return (u * f.dir < -0.3f && v > -0.1f && v < 0.5f) || (u * f.dir > 0.1f && v > 0.45f);
        return v > 0.45f || (std::fabs(u) > 0.8f && v > -0.2f);
    case HAIR_HOOD:
        return back || (f.side_view() ? u * f.dir < 0.1f : v < -0.55f);
    case HAIR_TOQUE:
        return back ? v > -0.6f : f.side_view() ? u * f.dir < -0.2f : false;
    case HAIR_SLICK:
        if (back) return true;
        return f.side_view() ? u * f.dir < 0.15f || v < -0.45f : v < -0.4f;
    default:
        if (back) return true;
        return f.side_view() ? u * f.dir < 0.05f || v < -0.4f : v < -0.35f;
    }
}

void draw_face_details(TFigure& f, TCellPoint h) {
    const TRgb eye = material::OUTLINE;
    int ey = int(std::lround(h.y + 0.5f)), cx = int(std::lround(h.x));
    auto eye_at = [&](int x) {
        if (f.pose.eyes_closed)
            f.c.hline(x, x + 1, ey + 1, f.look.skin.dark);
        else
            f.c.vline(x, ey, ey + 1, eye);
    };
    if (f.side_view()) {
        eye_at(f.dir > 0 ? cx + 2 : cx - 3);
        f.c.set(f.dir > 0 ? cx + 6 : cx - 7, ey + 1, f.look.skin.mid); // the nose
    } else {
        eye_at(cx - 3);
        eye_at(cx + 2);
    }
    int mx = f.side_view() ? cx + f.dir * 3 : cx;
    if (f.look.hair_style == HAIR_SLICK) // the host's moustache
        f.c.hline(mx - 2 + (f.dir > 0), mx + 1 - (f.dir < 0), ey + 3, f.look.hair.dark);
    if (f.pose.mouth_open) f.c.hline(mx - 1, mx, ey + 4, {120, 30, 30});
}

void draw_toque(TFigure& f, TCellPoint h) {
    const TShades white{{186, 186, 196}, {232, 232, 236}, {252, 252, 252}};
    f.c.fill_rect(int(h.x - 4), int(h.y - 10), 8, 6, white.mid);
    f.c.vline(int(h.x - 4), int(h.y - 10), int(h.y - 5), white.light);
    f.c.vline(int(h.x + 3), int(h.y - 10), int(h.y - 5), white.dark);
    f.c.shaded_ellipse(h.x, h.y - 11, 5.5f, 3.5f, white, 0.1f);
    f.c.hline(int(h.x - 5), int(h.x + 4), int(h.y - 5), white.dark); // the band
}

void draw_head(TFigure& f) {
    TCellPoint h = f.at(f.head_point());
    const float r = 5.5f;
    draw_back_hair(f, h);
    for (int y = int(h.y - r) - 1; y <= int(h.y + r) + 1; ++y)
        for (int x = int(h.x - r) - 1; x <= int(h.x + r) + 1; ++x) {
            float u = (x + 0.5f - h.x) / r, v = (y + 0.5f - h.y) / r;
            if (u * u + v * v > 1) continue;
            const TShades& s = hair_covers(f, u, v) ? f.look.hair : f.look.skin;
            float light = -(u + v) * 0.7071f;
            f.c.set(x, y, light > 0.5f ? s.light : light < -0.55f ? s.dark : s.mid);
        }
    if (f.look.hair_style == HAIR_HOOD && f.facing == FACE_DOWN) // the hood's rim around the face
        for (int y = int(h.y - r); y <= int(h.y + r); ++y)
            for (int x = int(h.x - r); x <= int(h.x + r); ++x) {
                float u = (x + 0.5f - h.x) / r, v = (y + 0.5f - h.y) / r;
                if (u * u + v * v <= 1 && u * u + v * v > 0.7f && !hair_covers(f, u, v))
                    f.c.set(x, y, f.look.top.dark);
            }
    if (f.look.hair_style == HAIR_TOQUE) draw_toque(f, h);
    if (f.facing != FACE_UP) draw_face_details(f, h);
}

void draw_zzz(TFigure& f) {
    if (f.pose.zzz < 0) return;
    const TRgb z{226, 232, 255};
    int x = f.facing == FACE_LEFT ? 6 : 22, y = 12 - f.pose.zzz;
    f.c.hline(x, x + 3, y, z);
    f.c.set(x + 2, y + 1, z);
    f.c.set(x + 1, y + 2, z);
    f.c.hline(x, x + 3, y + 3, z);
}

// A small dish (a plate with food) held between the hands, centred on (x, y).
void draw_held_dish(TCanvas& c, float x, float y) {
    c.shaded_ellipse(x, y + 1, 4.5f, 2, material::CHINA, 0.3f);
    c.shaded_ellipse(x, y - 0.5f, 2.5f, 2, material::ROAST, 0.1f);
    c.set(int(x) + 2, int(y), material::GREENS.mid);
}

// The figure's frame of reference: where its hips are for this look and pose.
TFigure make_figure(TCanvas& c, const TLook& look, TFacing facing, const TPose& pose) {
    int dir = facing == FACE_LEFT ? -1 : facing == FACE_RIGHT ? 1 : 0;
    float bob = pose.bob + (pose.step == 1 || pose.step == 3 ? 1 : 0);
    return {c, look, facing, pose, HIP_ROW - look.height + pose.sit * SEAT_DROP - bob, dir};
}

} // namespace

TCanvas draw_figure(const TLook& look, TFacing facing, const TPose& pose, unsigned parts) {
    TCanvas c(FIGURE_WIDTH, FIGURE_HEIGHT);
    TFigure f = make_figure(c, look, facing, pose);
    // arms behind the body first, then the body, then the arms in front
    auto arms = [&](bool front) {
        for (int hand = 0; hand < 2; ++hand) {
            bool in_front = f.depth(f.pose.hand[hand]) >= -0.5f &&
                            !(f.side_view() && f.depth(f.shoulder(hand)) < 0);
            if (in_front == front) draw_arm(f, hand, parts);
        }
    };
    auto dish = [&] {
        if (!(parts & PART_HANDS) || !pose.dish) return;
        TCellPoint d = f.at(pose.dish_at);
        draw_held_dish(c, d.x, d.y);
    };
    bool dish_behind = f.depth(pose.dish_at) < 0;
    if (parts & (PART_ARMS | PART_HANDS)) arms(false);
    if (dish_behind) dish();
    if (parts & PART_BODY) {
        draw_legs(f);
        draw_lower_body(f);
        draw_torso(f);
    }
    if (pose.head_over_arms && (parts & (PART_ARMS | PART_HANDS))) arms(true);
    if (parts & PART_HEAD) draw_head(f);
    if (!pose.head_over_arms && (parts & (PART_ARMS | PART_HANDS))) arms(true);
    if (!dish_behind) dish();
    if (parts & PART_HEAD) draw_zzz(f);
    c.outline(material::OUTLINE);
    return c;
}

TCellPoint figure_point(TFacing facing, const TPose& pose, TBodyPoint p) {
    TCanvas scratch(1, 1);
    TLook look{};
    return make_figure(scratch, look, facing, pose).at(p);
}

TCellPoint figure_head_centre(TFacing facing, const TPose& pose) {
    TCanvas scratch(1, 1);
    TLook look{};
    TFigure f = make_figure(scratch, look, facing, pose);
    return f.at(f.head_point());
}
