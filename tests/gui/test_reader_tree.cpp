// What a screen reader is shown of a window: bare pictures, silent widgets
// and hidden controls left out, texts read as one, which list items a press
// reaches, and the roles a widget is announced with.

#include "chrome/ReaderTree.h"

#include <QAccessible>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QtTest>

using ReaderTree::ReadAs;

namespace {

QAccessibleInterface* reader(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w);
}

// The objects a screen reader is shown as children of w.
QList<QObject*> heardChildren(QWidget* w) {
    QList<QObject*> objects;
    QAccessibleInterface* iface = reader(w);
    for (int i = 0; iface && i < iface->childCount(); ++i)
        objects << iface->child(i)->object();
    return objects;
}

QLabel* picture(QWidget* parent) {
    auto* label = new QLabel(parent);
    QPixmap pixmap(8, 8);
    pixmap.fill(Qt::blue);
    label->setPixmap(pixmap);
    return label;
}

} // namespace

class TestReaderTree : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { ReaderTree::install(); }

    void decorationSilenceAndHiddenAreLeftOut() {
        QWidget window;
        auto* named = new QLabel(QStringLiteral("Paper 1"), &window);
        picture(&window);    // decoration
        new QLabel(&window); // nothing to say
        QLabel* namedPicture = picture(&window);
        namedPicture->setAccessibleName(QStringLiteral("Logo"));
        // A picture carrying a control stays, as a pane, for the control.
        QLabel* strip = picture(&window);
        auto* onStrip = new QPushButton(QStringLiteral("Next"), strip);
        // A silent widget goes with everything in it.
        auto* silent = new QWidget(&window);
        new QPushButton(QStringLiteral("Tab"), silent);
        ReaderTree::setReadAs(silent, ReadAs::Silent);
        auto* hidden = new QPushButton(QStringLiteral("Answer"), &window);
        hidden->hide();
        window.show();

        QCOMPARE(heardChildren(&window), QList<QObject*>({named, namedPicture, strip}));
        QCOMPARE(reader(&window)->role(), QAccessible::Window);
        QCOMPARE(reader(strip)->role(), QAccessible::Client);
        QCOMPARE(reader(strip)->text(QAccessible::Name), QString());
        QCOMPARE(heardChildren(strip), QList<QObject*>{onStrip});
        QVERIFY(!ReaderTree::isShown(silent));
        // Shown, a hidden control is in the tree again.
        hidden->show();
        QCOMPARE(heardChildren(&window).size(), 4);
        QCOMPARE(reader(&window)->indexOfChild(reader(hidden)), 3);
    }

    void textAndHeadingReadTheirLabelsAsOne() {
        QWidget window;
        auto* count = new QWidget(&window);
        new QLabel(QStringLiteral("0"), count);
        new QLabel(count); // says nothing, adds no space
        auto* slash = new QLabel(QStringLiteral("/"), count);
        slash->setAccessibleName(QStringLiteral("of"));
        new QLabel(QStringLiteral("31"), count);
        new QLabel(QStringLiteral("answered"), count);
        ReaderTree::setReadAs(count, ReadAs::Text);
        auto* heading = new QLabel(QStringLiteral("Fractions"), &window);
        ReaderTree::setReadAs(heading, ReadAs::Heading);
        auto* renamed = new QWidget(&window);
        new QLabel(QStringLiteral("x"), renamed);
        renamed->setAccessibleName(QStringLiteral("Question 1"));
        ReaderTree::setReadAs(renamed, ReadAs::Text);
        window.show();

        QCOMPARE(reader(count)->text(QAccessible::Name), QStringLiteral("0 of 31 answered"));
        QCOMPARE(reader(count)->role(), QAccessible::StaticText);
        QCOMPARE(reader(count)->childCount(), 0); // read once, not again label by label
        QCOMPARE(reader(heading)->text(QAccessible::Name), QStringLiteral("Fractions"));
        QCOMPARE(reader(heading)->role(), QAccessible::Heading);
        QCOMPARE(reader(renamed)->text(QAccessible::Name), QStringLiteral("Question 1"));
    }

    // Each reading's role is heard through the accessibility bus (tests/a11y);
    // here, a reading set after the widget was first asked about.
    void aReadingSetLate() {
        QWidget window;
        auto* w = new QWidget(&window);
        QCOMPARE(reader(w)->role(), QAccessible::Client);
        ReaderTree::setReadAs(w, ReadAs::Group);
        QCOMPARE(ReaderTree::readAsOf(w), ReadAs::Group);
        QCOMPARE(reader(w)->role(), QAccessible::Grouping);
    }

    // Selected and chosen by a reader's press, as the topics and the pupils
    // are heard through the accessibility bus (tests/a11y); here, the items
    // a press must not reach.
    void listItemsWithoutAClick() {
        QWidget list;
        ReaderTree::setReadAs(&list, ReadAs::List);
        auto* item = new QPushButton(QStringLiteral("Zoë"), &list);
        ReaderTree::setReadAs(item, ReadAs::ListItem);
        auto* plain = new QWidget(&list);
        new QLabel(QStringLiteral("Sam"), plain);
        ReaderTree::setReadAs(plain, ReadAs::ListItem);
        list.show();

        const auto pressable = [](QWidget* w) {
            QAccessibleActionInterface* actions = reader(w)->actionInterface();
            return actions &&
                   actions->actionNames().contains(QAccessibleActionInterface::pressAction());
        };
        QVERIFY(pressable(item));
        QVERIFY(!pressable(plain));
        QCOMPARE(reader(plain)->text(QAccessible::Name), QStringLiteral("Sam"));
        item->setEnabled(false);
        QVERIFY(!pressable(item));
    }
};

QTEST_MAIN(TestReaderTree)
#include "test_reader_tree.moc"
