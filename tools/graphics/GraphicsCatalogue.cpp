#include "GraphicsCatalogue.h"

#include "BmpWriter.h"
#include "FrameArt.h"
#include "GifWriter.h"
#include "IcoWriter.h"

namespace {
using Format = GraphicsEntry::Format;
using State = ControlArt::State;

QList<QImage> one(const QImage& image) {
    return {image};
}
} // namespace

GraphicsCatalogue::GraphicsCatalogue(const FontSet& fonts)
    : m_icons(fonts), m_controls(m_icons), m_pictures(fonts) {
    addToolButtons();
    addFrame();
    addControls();
    addPictures();
    std::sort(m_entries.begin(), m_entries.end(),
              [](const GraphicsEntry& a, const GraphicsEntry& b) { return a.id < b.id; });
}

void GraphicsCatalogue::add(int id, const QString& fileName, Format format,
                            std::function<QList<QImage>()> pictures) {
    m_entries.append({id, fileName, format, std::move(pictures)});
}

void GraphicsCatalogue::addToolButtons() {
    struct Button {
        int firstId;
        const char* icon;
        bool hasDisabled;
    };
    // Ids run disabled (when the button has one), off, on, pressed.
    const Button buttons[] = {{1, "about", false},   {4, "back", true},     {8, "close", false},
                              {11, "forward", true}, {15, "home", false},   {18, "mark", true},
                              {22, "print", false},  {25, "report", false}, {28, "save", true},
                              {32, "setup", false},  {35, "trash", false}};
    for (const Button& b : buttons) {
        int id = b.firstId;
        QList<std::pair<const char*, State>> states;
        if (b.hasDisabled)
            states.append({"disabled", State::Disabled});
        states.append({"off", State::Off});
        states.append({"on", State::On});
        states.append({"pressed", State::Pressed});
        for (const auto& [suffix, state] : states) {
            const QString icon = QString::fromLatin1(b.icon);
            const State s = state;
            add(id++, icon + QLatin1Char('_') + QLatin1String(suffix) + QLatin1String(".bmp"),
                Format::Bmp, [this, icon, s] { return one(m_controls.toolButton(icon, s)); });
        }
    }
}

void GraphicsCatalogue::addFrame() {
    using Piece = FrameArt::TitlePiece;
    using Edge = FrameArt::Edge;
    using Caption = FrameArt::CaptionLook;
    add(41, "tabs_back_off.bmp", Format::Bmp, [] { return one(ControlArt::tab(false, false)); });
    add(42, "tabs_back_on.bmp", Format::Bmp, [] { return one(ControlArt::tab(false, true)); });
    add(43, "tabs_front_off.bmp", Format::Bmp, [] { return one(ControlArt::tab(true, false)); });
    add(44, "tabs_front_on.bmp", Format::Bmp, [] { return one(ControlArt::tab(true, true)); });
    add(45, "border_bot.bmp", Format::Bmp, [] { return one(FrameArt::edge(Edge::Bottom)); });
    add(46, "border_left.bmp", Format::Bmp, [] { return one(FrameArt::edge(Edge::Left)); });
    add(47, "border_left_corners.bmp", Format::Bmp,
        [] { return one(FrameArt::edge(Edge::LowerLeft)); });
    add(48, "border_right.bmp", Format::Bmp, [] { return one(FrameArt::edge(Edge::Right)); });
    add(49, "border_right_corners.bmp", Format::Bmp,
        [] { return one(FrameArt::edge(Edge::LowerRight)); });
    add(50, "border_top_center.bmp", Format::Bmp,
        [] { return one(FrameArt::title(Piece::Centre, true)); });
    add(51, "border_top_left.bmp", Format::Bmp,
        [] { return one(FrameArt::title(Piece::Left, true)); });
    add(52, "border_top_right.bmp", Format::Bmp,
        [] { return one(FrameArt::title(Piece::Right, true)); });
    add(53, "border_white_top_center.bmp", Format::Bmp,
        [] { return one(FrameArt::title(Piece::Centre, false)); });
    add(54, "border_white_top_left.bmp", Format::Bmp,
        [] { return one(FrameArt::title(Piece::Left, false)); });
    add(55, "border_white_top_right.bmp", Format::Bmp,
        [] { return one(FrameArt::title(Piece::Right, false)); });

    const char* glyphs[] = {"close", "max", "min", "norm"};
    const struct {
        int firstId;
        const char* prefix;
        Caption look;
    } looks[] = {{56, "prog_blue_", Caption::ActiveHover},
                 {60, "prog_blueoff_", Caption::ActiveOff},
                 {64, "prog_white_", Caption::Inactive}};
    for (const auto& look : looks) {
        for (int i = 0; i < 4; ++i) {
            const QString glyph = QString::fromLatin1(glyphs[i]);
            const Caption c = look.look;
            add(look.firstId + i, QLatin1String(look.prefix) + glyph + QLatin1String(".bmp"),
                Format::Bmp, [glyph, c] { return one(FrameArt::captionButton(glyph, c)); });
        }
    }
    add(91, "Border_bot_left.gif", Format::Gif, [] { return one(FrameArt::dialogCorner(true)); });
    add(92, "Border_bot_right.gif", Format::Gif, [] { return one(FrameArt::dialogCorner(false)); });
}

void GraphicsCatalogue::addControls() {
    add(68, "loadbutton_on.bmp", Format::Bmp, [] { return one(ControlArt::loadButton(true)); });
    add(69, "loadbutton_off.bmp", Format::Bmp, [] { return one(ControlArt::loadButton(false)); });
    add(70, "button_off.bmp", Format::Bmp, [] { return one(ControlArt::button(State::Off)); });
    add(71, "button_on.bmp", Format::Bmp, [] { return one(ControlArt::button(State::On)); });
    add(72, "button_pressed.bmp", Format::Bmp,
        [] { return one(ControlArt::button(State::Pressed)); });
    add(73, "bottombg1.bmp", Format::Bmp, [] { return one(ControlArt::bottomBar(1)); });
    add(74, "bottombg2.bmp", Format::Bmp, [] { return one(ControlArt::bottomBar(2)); });
    add(75, "bottombg3.bmp", Format::Bmp, [] { return one(ControlArt::bottomBar(3)); });
    add(76, "bottombg4.bmp", Format::Bmp, [] { return one(ControlArt::bottomBar(4)); });
    add(77, "columnhead1.bmp", Format::Bmp, [] { return one(ControlArt::columnHead(1)); });
    add(78, "columnhead2.bmp", Format::Bmp, [] { return one(ControlArt::columnHead(2)); });
    add(79, "progressbar.bmp", Format::Bmp, [] { return one(ControlArt::progressPiece()); });
    add(80, "statusgrabber.bmp", Format::Bmp, [] { return one(ControlArt::sizeGrip()); });
    add(81, "bullet.bmp", Format::Bmp, [] { return one(ControlArt::bullet()); });
    add(82, "Handle.bmp", Format::Bmp, [] { return one(ControlArt::handle()); });
    add(83, "pen.bmp", Format::Bmp, [] { return one(ControlArt::penPanel()); });
    add(84, "bar.bmp", Format::Bmp, [] { return one(ControlArt::reportBar()); });
}

void GraphicsCatalogue::addPictures() {
    // Icons: the title-bar size first, since picture loaders take the first entry.
    add(85, "Qzicon.ico", Format::Ico, [this] {
        return QList<QImage>{m_pictures.programIcon(16), m_pictures.programIcon(32),
                             m_pictures.programIcon(48)};
    });
    add(86, "pencil.ico", Format::Ico, [] {
        return QList<QImage>{PictureArt::pencilIcon(16), PictureArt::pencilIcon(32),
                             PictureArt::pencilIcon(48)};
    });
    add(87, "hand.ico", Format::Ico, [] {
        return QList<QImage>{PictureArt::handIcon(32), PictureArt::handIcon(16)};
    });
    add(88, "info_mark.gif", Format::Gif, [this] { return one(m_pictures.infoMark()); });
    add(89, "Logo.gif", Format::Gif, [this] { return one(m_pictures.logo()); });
    add(90, "instruction.gif", Format::Gif, [this] { return one(m_pictures.instruction()); });
}

QByteArray GraphicsCatalogue::encode(const GraphicsEntry& entry, QString* error) {
    const QList<QImage> pictures = entry.pictures();
    switch (entry.format) {
    case Format::Bmp:
        return BmpWriter::encode(pictures.first());
    case Format::Ico:
        return IcoWriter::encode(pictures);
    case Format::Gif:
        return GifWriter::encode(pictures.first(), error);
    }
    return {};
}
