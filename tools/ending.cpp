// ending.cpp -- the closing picture: the seated figures cut into pieces (body, head, hand; the
// host's raised goblet), the long table's three pieces, the door of the back wall, and the
// layout file that puts thirteen figures behind the table, computed from the same geometry.
#include <algorithm>
#include <cmath>

#include "tools/figures.h"
#include "tools/materials.h"
#include "tools/pictures.h"
#include "tools/tiles.h"

namespace {

using namespace material;

constexpr int PIECE_SCALE = 3; // the figures sit closer to the viewer than the 2x wall
constexpr int TABLE_SCALE = 2; // the table matches the wall and floor, drawn at double size
constexpr int TABLE_TOP = 376; // window row of the table's far edge; it covers what lies below
constexpr int HIP_Y = TABLE_TOP + 8; // window row of the figures' hips, hidden by the table
constexpr int PLACES = 13, HOST_PLACE = 12, PLACE_SPACING = 58, CENTRE_X = 400;
constexpr int HIP_CELL_X = 16;

const char* const VIEW_WORDS[3] = {"links", "rechts", "vorne"};
constexpr TFacing VIEW_FACINGS[3] = {FACE_LEFT, FACE_RIGHT, FACE_DOWN};

// Place p's view: the guests left of the host turn to him (right), those right of him turn
// left, every third one looks out of the picture; the host at place 12 looks out.
constexpr int PLACE_VIEWS[PLACES] = {1, 2, 1, 1, 2, 1, 0, 2, 0, 0, 2, 0, 2};

int place_x(int p) {
    if (p == HOST_PLACE) return CENTRE_X;
    return p < 6 ? CENTRE_X - PLACE_SPACING * (6 - p) : CENTRE_X + PLACE_SPACING * (p - 5);
}

// The pose at the table: forearms resting on its far edge.
TPose table_pose() {
    TPose p = seated_pose();
    p.hand[0] = {5, 4, -8};
    p.hand[1] = {5, -4, -8};
    return p;
}

// The host's right hand raised with a goblet.
constexpr TBodyPoint GOBLET_HAND{4, -7, -17};

TPose host_table_pose() {
    TPose p = table_pose();
    p.hand[1] = GOBLET_HAND;
    return p;
}

// A piece cut from a figure cell: the drawn part, padded to even sizes so that its centred
// handle falls on a whole pixel, and its centre in cell pixels.
struct TPiece {
    TCanvas canvas;
    float centre_x, centre_y;
};

TPiece cut(const TCanvas& cell, int x1, int y1, int x2, int y2) {
    int w = x2 - x1 + 1, h = y2 - y1 + 1;
    w += w % 2, h += h % 2;
    return {cell.crop(x1, y1, w, h).scaled(PIECE_SCALE), x1 + w / 2.f, y1 + h / 2.f};
}

// The bounding box of the drawn pixels.
TPiece cut_drawn(const TCanvas& cell) {
    int x1 = cell.width(), y1 = cell.height(), x2 = -1, y2 = -1;
    for (int y = 0; y < cell.height(); ++y)
        for (int x = 0; x < cell.width(); ++x)
            if (!cell.is_clear(x, y))
                x1 = std::min(x1, x), y1 = std::min(y1, y), x2 = std::max(x2, x),
                y2 = std::max(y2, y);
    return cut(cell, x1, y1, x2, y2);
}

// The pieces are cut by boxes that depend only on the pose, never on the look, so that one
// layout fits whichever guest the game seats at a place.

// The body down to the hips, the whole cell wide (the table hides everything lower).
TPiece cut_body(const TCanvas& cell, TFacing facing, const TPose& pose) {
    int hip = int(figure_point(facing, pose, {0, 0, 0}).y);
    return cut(cell, 0, 12, FIGURE_WIDTH - 1, hip + 1);
}

// The head with any hair style: 18 x 18 around the head's centre.
TPiece cut_head(const TCanvas& cell, TFacing facing, const TPose& pose) {
    TCellPoint h = figure_head_centre(facing, pose);
    int x = int(std::lround(h.x)), y = int(std::lround(h.y));
    return cut(cell, x - 9, y - 9, x + 8, y + 8);
}

// A hand's piece: the 2 x 2 hand and its outline around the pose's hand point.
TPiece cut_hand(const TCanvas& cell, TFacing facing, const TPose& pose, int hand) {
    TCellPoint h = figure_point(facing, pose, pose.hand[hand]);
    int x = int(std::lround(h.x - 1)) - 1, y = int(std::lround(h.y - 1)) - 1;
    return cut(cell, x, y, x + 3, y + 3);
}

// The goblet in the host's raised hand, with the forearm below it.
TPiece goblet_piece(const TLook& look) {
    TPose pose = host_table_pose();
    TCellPoint h = figure_point(FACE_DOWN, pose, GOBLET_HAND);
    int x = int(std::lround(h.x)), y = int(std::lround(h.y));
    TCanvas c(FIGURE_WIDTH, FIGURE_HEIGHT);
    c.fill_rect(x - 1, y + 1, 2, 5, look.top.mid); // the sleeve
    c.fill_rect(x - 1, y - 1, 2, 2, look.skin.light);
    c.shaded_rect(x - 2, y - 5, 4, 3, BRASS); // the cup, its stem and foot
    c.hline(x - 1, x, y - 5, WINE.mid);
    c.vline(x, y - 2, y - 2, BRASS.dark);
    c.outline(OUTLINE);
    return cut_drawn(c);
}

// The window position of a piece's centre for a figure whose hips sit at (place_x, HIP_Y).
struct TPlacedPiece {
    int piece, x, y;
};
TPlacedPiece place(int piece, const TPiece& p, int px, TFacing facing, const TPose& pose) {
    float hip_y = figure_point(facing, pose, {0, 0, 0}).y;
    return {piece, px + int(std::lround((p.centre_x - HIP_CELL_X) * PIECE_SCALE)),
            HIP_Y + int(std::lround((p.centre_y - hip_y) * PIECE_SCALE))};
}

// The three pieces of one figure kind in one view, and where each slot of a layout block puts
// them for a figure at place_x px.
struct TFigurePieces {
    TPiece pieces[3];
    TPlacedPiece slots[4];
};

TFigurePieces guest_pieces(const TLook& look, TFacing facing, int px) {
    TPose pose = table_pose();
    TCanvas body = draw_figure(look, facing, pose, PART_BODY | PART_ARMS);
    TCanvas head = draw_figure(look, facing, pose, PART_HEAD);
    TCanvas hands = draw_figure(look, facing, pose, PART_HANDS);
    TFigurePieces f{{cut_body(body, facing, pose), cut_head(head, facing, pose),
                     cut_hand(hands, facing, pose, 0)},
                    {}};
    TPiece other_hand = cut_hand(hands, facing, pose, 1);
    f.slots[0] = place(1, f.pieces[0], px, facing, pose);
    f.slots[1] = place(2, f.pieces[1], px, facing, pose);
    f.slots[2] = place(3, f.pieces[2], px, facing, pose);
    f.slots[3] = place(3, other_hand, px, facing, pose);
    return f;
}

// The host: body, goblet hand (piece 2, the one the game swings) and head.
TFigurePieces host_pieces(int px) {
    const TLook& look = host_look();
    TPose pose = host_table_pose();
    TCanvas body = draw_figure(look, FACE_DOWN, pose, PART_BODY | PART_ARMS);
    TPose resting = pose; // only the left hand rests on the table; the right one holds the cup
    resting.hand[1] = resting.hand[0];
    body.blit(draw_figure(look, FACE_DOWN, resting, PART_HANDS), 0, 0);
    TCanvas head = draw_figure(look, FACE_DOWN, pose, PART_HEAD);
    TFigurePieces f{
        {cut_body(body, FACE_DOWN, pose), goblet_piece(look), cut_head(head, FACE_DOWN, pose)}, {}};
    f.slots[0] = place(1, f.pieces[0], px, FACE_DOWN, pose);
    f.slots[1] = place(3, f.pieces[2], px, FACE_DOWN, pose);
    f.slots[2] = place(2, f.pieces[1], px, FACE_DOWN, pose);
    f.slots[3] = f.slots[2]; // drawn twice on the same spot: the raised goblet
    return f;
}

// The long table's cloth at 1x: the top's far edge, a few things on it, and the hanging front.
// part 0 is the left end, 1 the middle, 2 the right end.
TCanvas table_piece(int part) {
    constexpr int TOP = (TABLE_TOP - 368) / TABLE_SCALE; // the table piece starts at row 368
    TCanvas c(32, 32);
    c.fill_rect(0, TOP, 32, 6, LINEN.mid);
    c.hline(0, 31, TOP, OUTLINE);
    c.hline(0, 31, TOP + 1, LINEN.light);
    c.hline(0, 31, TOP + 5, LINEN.light);
    for (int y = TOP + 6; y < 31; ++y)
        for (int x = 0; x < 32; ++x)
            c.set(x, y,
                  x % 8 < 2   ? LINEN_DRAPE.dark
                  : x % 8 < 5 ? LINEN_DRAPE.mid
                              : LINEN_DRAPE.light);
    c.hline(0, 31, 31, OUTLINE);
    if (part != 1) { // the cloth's end, with a table leg showing below it
        int edge = part == 0 ? 0 : 31;
        c.vline(edge, TOP, 31, OUTLINE);
    }
    if (part == 1) { // a loaf of bread and a cup on every middle piece
        c.shaded_ellipse(9, float(TOP + 2), 4, 2, BREAD, 0.2f);
        c.shaded_rect(22, TOP - 2, 3, 3, BRASS);
        c.set(23, TOP + 1, BRASS.dark);
    }
    return c.scaled(TABLE_SCALE);
}

// The door of the closing picture's back wall: opaque (it is loaded without the mask colour),
// so it stands in a copy of the wall.
TCanvas closed_door() {
    TCanvas c = wall_tile();
    c.fill_rect(3, 12, 26, 52, DARK_WOOD.dark);
    c.fill_ellipse(16, 14, 13, 6, DARK_WOOD.dark);
    c.fill_ellipse(16, 15, 10, 5, DARK_WOOD.mid);
    c.fill_rect(6, 15, 20, 47, DARK_WOOD.mid);
    for (int x = 6; x < 26; x += 5) c.vline(x, 11, 61, DARK_WOOD.dark); // the planks
    for (int y : {22, 50}) c.fill_rect(6, y, 20, 2, IRON.mid);          // the hinges
    c.shaded_ellipse(21, 37, 2, 2, BRASS);                              // the ring
    c.fill_rect(2, 62, 28, 2, IRON.light);                              // the threshold
    return c;
}

TPicture piece_picture(const std::string& path, const TCanvas& canvas) {
    return {path, canvas, canvas.width(), canvas.height()};
}

// The figures of one kind in one view, as drawn for a figure at the window's centre.
TFigurePieces kind_pieces(int kind, int view) {
    return kind == 7 ? host_pieces(CENTRE_X)
                     : guest_pieces(guest_look(kind - 1), VIEW_FACINGS[view], CENTRE_X);
}

} // namespace

void add_ending_pictures(TPictureList& list) {
    for (int kind = 1; kind <= 7; ++kind)
        for (int view = kind == 7 ? 2 : 0; view < 3; ++view) {
            TFigurePieces f = kind_pieces(kind, view);
            for (int n = 0; n < 3; ++n)
                list.push_back(piece_picture("gfx/Ende/Bilder" + std::to_string(kind) + "/" +
                                                 VIEW_WORDS[view] + "/teil" +
                                                 std::to_string(n + 1) + ".png",
                                             f.pieces[n].canvas));
        }
    for (int t = 0; t < 3; ++t)
        list.push_back(
            piece_picture("gfx/Ende/Tisch" + std::to_string(t + 1) + ".png", table_piece(t)));
    list.push_back(piece_picture("gfx/Ende/tuer.png", closed_door()));
}

// The slot positions depend only on the view and the place, not on the guest's look (the pieces
// are cut by look-independent boxes), so the first look stands for all six.
std::string ending_layout_text() {
    std::string text;
    auto line = [&text](int value) { text += std::to_string(value) + "\r\n"; };
    for (int p = 0; p < PLACES; ++p) {
        int view = PLACE_VIEWS[p];
        TFigurePieces f = p == HOST_PLACE
                              ? host_pieces(place_x(p))
                              : guest_pieces(guest_look(0), VIEW_FACINGS[view], place_x(p));
        line(view);
        line(0);
        for (const TPlacedPiece& s : f.slots) {
            line(s.piece);
            line(s.x);
            line(s.y);
            line(0);
        }
    }
    return text;
}
