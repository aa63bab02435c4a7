#pragma once
// `Percent1a`: the narrow column of "%" signs beside the ten mark labels of
// the Home page. Its left edge is the anchor the marks are right-aligned to.

#include <QList>
#include <QWidget>

class PercentColumn : public QWidget {
    Q_OBJECT
public:
    explicit PercentColumn(QWidget* parent);

    // Vertical centres (in this widget's coordinates) of the lines that get a
    // "%" sign.
    void setLineCentres(const QList<int>& centres);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<int> m_centres;
};
