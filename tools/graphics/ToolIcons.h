#pragma once
// The icons of the tool-bar buttons, drawn on a 24-unit grid and scaled into
// any box: save, mark, print, close, back, forward, home, report, setup,
// trash, about.

#include "FontSet.h"

#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

class ToolIcons {
public:
    explicit ToolIcons(const FontSet& fonts) : m_fonts(fonts) {}

    static QStringList names();
    // False for an unknown name (nothing is drawn).
    bool draw(QPainter& p, const QString& name, const QRectF& box) const;
    // The icon alone on a transparent square of size pixels.
    QImage picture(const QString& name, int size) const;

private:
    void save(QPainter& p) const;
    void mark(QPainter& p) const;
    void print(QPainter& p) const;
    void close(QPainter& p) const;
    void arrow(QPainter& p, bool forward) const;
    void home(QPainter& p) const;
    void report(QPainter& p) const;
    void setup(QPainter& p) const;
    void trash(QPainter& p) const;
    void about(QPainter& p) const;

    const FontSet& m_fonts;
};
