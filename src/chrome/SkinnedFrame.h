#pragma once
// The skinned frame of a borderless window, built from pictures of the
// Graphics folder:
//
//   BTopLeft  BTopCentre (stretched)                      BTopRight
//   BLeft     [ImgIco] Title            [imgProgMin][imgProgMax][imgProgClose]
//   ...       the window's own content                    BRight
//   BBotLeft  BBot (stretched)                            BBotRight
//
// The frame creates the pieces as children of the window (object names as
// above; the title label is named by FrameOptions::titleName), lays them out
// for the window's size with layout(), cuts the outline with pRoundCorners(),
// switches the active and inactive title-bar looks on every activation change
// (paintCaptionActive / paintCaptionInactive), lets the window be dragged by the
// title bar and its pieces (MoveForm), and keeps the caption buttons' pictures
// in step with the mouse while the window is active.
//
// Usage: construct it in the window's constructor with one of the preset
// options, build the window's content, call raise() so that the frame lies on
// top, and call layout() and then pRoundCorners() whenever the window's size
// changes (the main window and the dialog only once). Connect the caption
// buttons' signals to the window's own handlers.
//
// Sizes: the title bar is as high as BTopLeft's picture, the edges as wide as
// their pictures; missing pictures leave blank pieces of a fallback size.

#include <QObject>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QString>

class QLabel;
class QWidget;
class PictureButton;
class PictureCache;
class HoverGroup;

struct FrameOptions {
    QString titleName = QStringLiteral("Title");
    QString icon; // empty: no ImgIco
    QString bottomLeft = QStringLiteral("border_left_corners.bmp");
    QString bottomRight = QStringLiteral("border_right_corners.bmp");
    bool closeButton = true;
    bool minButton = true;
    bool maxButton = false;
    bool paintsActivation = true;  // active/inactive looks (not the dialog)
    bool cutBottomCorners = false; // the dialog's 18-point outline
    int titleLeftPx = 30;          // 800 himetric; the dialog uses 240 twips

    static FrameOptions MainWindow();
    static FrameOptions PracticeWindow();
    static FrameOptions dialog();
};

class SkinnedFrame : public QObject {
    Q_OBJECT
public:
    // Fallback sizes for pieces whose picture is missing, in pixels.
    static constexpr int FallbackTitleHeight = 26;
    static constexpr int FallbackEdge = 4;
    static constexpr int FallbackButton = 18;

    SkinnedFrame(QWidget* window, PictureCache& pictures, FrameOptions options);

    QWidget* window() const { return m_window; }
    QLabel* BTopLeft() const { return m_topLeft; }
    QLabel* BTopCentre() const { return m_topCentre; }
    QLabel* BTopRight() const { return m_topRight; }
    QLabel* BLeft() const { return m_left; }
    QLabel* BRight() const { return m_right; }
    QLabel* BBotLeft() const { return m_botLeft; }
    QLabel* BBot() const { return m_bot; }
    QLabel* BBotRight() const { return m_botRight; }
    QLabel* Title() const { return m_title; }
    QLabel* ImgIco() const { return m_icon; }               // null without icon
    PictureButton* imgProgClose() const { return m_close; } // null when absent
    PictureButton* imgProgMin() const { return m_min; }
    PictureButton* imgProgMax() const { return m_max; }

    int titleBarHeight() const;
    // The window's inside between the frame pieces, in window coordinates.
    QRect clientRect() const;

    void setTitle(const QString& text);
    // Lays out the pieces for the window's current size. A window smaller
    // than its frame (minimised) gets pieces of zero length, never negative.
    void layout();
    // Cuts the window's outline: only the top corners, or all four for the
    // dialog.
    void pRoundCorners();
    // The outline polygon of a w x h pixel window (12 or 18 points).
    static QPolygon outlinePolygon(int w, int h, bool cutBottomCorners);

    void paintCaptionActive();
    void paintCaptionInactive();

    // Starts dragging the window by its title bar: the platform moves it when
    // it can; otherwise the frame follows the mouse until the button is
    // released. globalPos is where the mouse was pressed.
    void MoveForm(const QPoint& globalPos);
    bool manualMoveActive() const { return m_manualMove; }
    // Lets another widget of the title bar start the drag as well.
    void addDragHandle(QWidget* widget);
    // Puts every frame piece above the window's other children.
    void raise();

Q_SIGNALS:
    void closeClicked();
    void minClicked();
    void maxClicked();
    // The window became active (true) or lost the activation (false).
    void activeChanged(bool active);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* makePiece(const char* name, bool stretched);
    void setPiecePicture(QLabel* piece, const QString& fileName, const QSize& fallback);
    void applyCaptionPictures();
    // The caption bar's border pieces, title colour and buttons for the
    // active or the inactive look.
    void paintCaption(bool active);
    QString maxPictureStem() const;

    QWidget* m_window;
    PictureCache& m_pictures;
    FrameOptions m_options;

    QLabel* m_topLeft = nullptr;
    QLabel* m_topCentre = nullptr;
    QLabel* m_topRight = nullptr;
    QLabel* m_left = nullptr;
    QLabel* m_right = nullptr;
    QLabel* m_botLeft = nullptr;
    QLabel* m_bot = nullptr;
    QLabel* m_botRight = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_icon = nullptr;
    PictureButton* m_close = nullptr;
    PictureButton* m_min = nullptr;
    PictureButton* m_max = nullptr;
    HoverGroup* m_captionHover = nullptr;

    bool m_activeLook = true;
    bool m_manualMove = false;
    QPoint m_moveStartGlobal;
    QPoint m_moveStartWindow;
};
