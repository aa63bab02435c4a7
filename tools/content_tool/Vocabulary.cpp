#include "Vocabulary.h"

#include <QRegularExpression>
#include <algorithm>

namespace bank::vocab {

// The word lists stay in compact columns.
// clang-format off
const QStringList& personNames() {
    static const QStringList names = {
        // Topics 1-3
        QStringLiteral("Aisha"),  QStringLiteral("Amy"),   QStringLiteral("Ben"),
        QStringLiteral("Chloe"),  QStringLiteral("Dev"),   QStringLiteral("Ella"),
        QStringLiteral("Finn"),   QStringLiteral("Grace"), QStringLiteral("Hari"),
        QStringLiteral("Isla"),   QStringLiteral("Jack"),  QStringLiteral("Kofi"),
        QStringLiteral("Lily"),   QStringLiteral("Mo"),    QStringLiteral("Nia"),
        QStringLiteral("Omar"),   QStringLiteral("Priya"), QStringLiteral("Ravi"),
        QStringLiteral("Sara"),   QStringLiteral("Tom"),   QStringLiteral("Zoe"),
        QStringLiteral("Sam"),    QStringLiteral("Leo"),   QStringLiteral("Ivan"),
        QStringLiteral("Kevin"),  QStringLiteral("Ruby"),  QStringLiteral("Noah"),
        QStringLiteral("Maya"),   QStringLiteral("Felix"), QStringLiteral("Tariq"),
        QStringLiteral("Rosa"),   QStringLiteral("Nina"),  QStringLiteral("Kim"),
        QStringLiteral("Poppy"),  QStringLiteral("Harry"), QStringLiteral("Olivia"),
        QStringLiteral("George"), QStringLiteral("Holly"), QStringLiteral("Yusuf"),
        QStringLiteral("Theo"),   QStringLiteral("Sofia"), QStringLiteral("Megan"),
        QStringLiteral("Alfie"),  QStringLiteral("Bella"), QStringLiteral("Caleb"),
        QStringLiteral("Daisy"),  QStringLiteral("Eli"),   QStringLiteral("Freya"),
        QStringLiteral("Hana"),   QStringLiteral("Ivy"),   QStringLiteral("Jamal"),
        QStringLiteral("Kai"),    QStringLiteral("Leah"),  QStringLiteral("Pablo"),
        QStringLiteral("Carlos"), QStringLiteral("Dina"),  QStringLiteral("Evan"),
        QStringLiteral("Fatima"), QStringLiteral("Gus"),   QStringLiteral("Ibrahim"),
        QStringLiteral("Jess"),   QStringLiteral("Luca"),  QStringLiteral("Nathan"),
        QStringLiteral("Rory"),
        // Topics 4-7 (Money, Weight, Length, Time)
        QStringLiteral("Amelia"),
        QStringLiteral("Oliver"),
        // Topics 8-10 (Picture Graphs, Fraction, Area, Perimeter and Volume)
        QStringLiteral("Lena"), QStringLiteral("Hugo"), QStringLiteral("Mei"),
        QStringLiteral("Jonah"), QStringLiteral("Ada"), QStringLiteral("Anna"),
        QStringLiteral("Billy"), QStringLiteral("Cara"), QStringLiteral("Dan"),
        QStringLiteral("Emma"), QStringLiteral("Gina"), QStringLiteral("Iris"),
        QStringLiteral("Joe"), QStringLiteral("Kara"), QStringLiteral("Mia"),
        QStringLiteral("Nico"), QStringLiteral("Sami"), QStringLiteral("Amir"),
        QStringLiteral("Callum"),
        QStringLiteral("Ethan"),
        QStringLiteral("Keira"), QStringLiteral("Lewis"), QStringLiteral("Millie"),
        QStringLiteral("Rhys"), QStringLiteral("Sophie"),
        QStringLiteral("Zara"),
    };
    return names;
}

const QStringList& objectWords() {
    static const QStringList objects = {
        // Topics 1-3
        QStringLiteral("sticker"),      QStringLiteral("marble"),    QStringLiteral("shell"),
        QStringLiteral("stamp"),        QStringLiteral("bead"),      QStringLiteral("card"),
        QStringLiteral("conker"),       QStringLiteral("pencil"),    QStringLiteral("sweet"),
        QStringLiteral("button"),       QStringLiteral("apple"),     QStringLiteral("bird"),
        QStringLiteral("bun"),          QStringLiteral("page"),      QStringLiteral("book"),
        QStringLiteral("biscuit"),      QStringLiteral("egg"),       QStringLiteral("cake"),
        QStringLiteral("flower"),       QStringLiteral("seed"),      QStringLiteral("brick"),
        QStringLiteral("box"),          QStringLiteral("bag"),       QStringLiteral("jar"),
        QStringLiteral("packet"),       QStringLiteral("tray"),      QStringLiteral("shelf"),
        QStringLiteral("shelves"),      QStringLiteral("team"),      QStringLiteral("table"),
        QStringLiteral("car"),          QStringLiteral("chair"),     QStringLiteral("tree"),
        QStringLiteral("ticket"),       QStringLiteral("bottle"),    QStringLiteral("crayon"),
        QStringLiteral("banana"),       QStringLiteral("orange"),    QStringLiteral("strawberry"),
        QStringLiteral("strawberries"), QStringLiteral("cherry"),    QStringLiteral("cherries"),
        QStringLiteral("child"),        QStringLiteral("children"),  QStringLiteral("people"),
        QStringLiteral("pupil"),        QStringLiteral("visitor"),   QStringLiteral("runner"),
        QStringLiteral("sheep"),        QStringLiteral("duck"),      QStringLiteral("cow"),
        QStringLiteral("leg"),          QStringLiteral("wheel"),     QStringLiteral("bike"),
        QStringLiteral("tricycle"),     QStringLiteral("bus"),       QStringLiteral("buses"),
        QStringLiteral("coach"),        QStringLiteral("train"),     QStringLiteral("plane"),
        QStringLiteral("school"),       QStringLiteral("library"),   QStringLiteral("shop"),
        QStringLiteral("farm"),         QStringLiteral("garden"),    QStringLiteral("cinema"),
        QStringLiteral("hall"),         QStringLiteral("seat"),      QStringLiteral("row"),
        QStringLiteral("baker"),        QStringLiteral("farmer"),    QStringLiteral("teacher"),
        QStringLiteral("puzzle"),       QStringLiteral("piece"),     QStringLiteral("point"),
        QStringLiteral("game"),         QStringLiteral("goal"),      QStringLiteral("lap"),
        QStringLiteral("red"),          QStringLiteral("blue"),      QStringLiteral("green"),
        QStringLiteral("yellow"),       QStringLiteral("morning"),   QStringLiteral("afternoon"),
        QStringLiteral("Monday"),       QStringLiteral("Tuesday"),   QStringLiteral("Wednesday"),
        QStringLiteral("Thursday"),     QStringLiteral("Friday"),    QStringLiteral("Saturday"),
        QStringLiteral("Sunday"),       QStringLiteral("chicken"),   QStringLiteral("chick"),
        QStringLiteral("zoo"),          QStringLiteral("step"),      QStringLiteral("balloon"),
        QStringLiteral("space"),        QStringLiteral("toy"),       QStringLiteral("factory"),
        QStringLiteral("factories"),    QStringLiteral("spider"),    QStringLiteral("dog"),
        QStringLiteral("starfish"),     QStringLiteral("insect"),    QStringLiteral("plate"),
        QStringLiteral("dot"),          QStringLiteral("pack"),      QStringLiteral("group"),
        QStringLiteral("arm"),          QStringLiteral("wing"),      QStringLiteral("museum"),
        QStringLiteral("town"),         QStringLiteral("vegetable"),
        // Topics 4-7 (Money, Weight, Length, Time)
        QStringLiteral("rubber"),
        QStringLiteral("lollipop"),
        QStringLiteral("ruler"),
        QStringLiteral("carton of juice"),
        QStringLiteral("cartons of juice"),
        QStringLiteral("notebook"),
        QStringLiteral("sandwich"),
        QStringLiteral("comic"),
        QStringLiteral("toy car"),
        QStringLiteral("pencil case"),
        QStringLiteral("bottle of water"),
        QStringLiteral("bottles of water"),
        QStringLiteral("cap"),
        QStringLiteral("school bag"),
        QStringLiteral("T-shirt"),
        QStringLiteral("football"),
        QStringLiteral("kite"),
        QStringLiteral("board game"),
        QStringLiteral("bag of flour"),
        QStringLiteral("bag of sugar"),
        QStringLiteral("bag of rice"),
        QStringLiteral("bag of potatoes"),
        QStringLiteral("bag of apples"),
        QStringLiteral("bag of carrots"),
        QStringLiteral("bag of pasta"),
        QStringLiteral("bag of nuts"),
        QStringLiteral("bag of sand"),
        QStringLiteral("bags of sugar"),
        QStringLiteral("box of books"),
        QStringLiteral("box of cereal"),
        QStringLiteral("boxes of cereal"),
        QStringLiteral("parcel"),
        QStringLiteral("melon"),
        QStringLiteral("pumpkin"),
        QStringLiteral("pineapple"),
        QStringLiteral("cabbage"),
        QStringLiteral("watermelon"),
        QStringLiteral("suitcase"),
        QStringLiteral("loaf of bread"),
        QStringLiteral("jar of jam"),
        QStringLiteral("jars of jam"),
        QStringLiteral("tin of beans"),
        QStringLiteral("tins of beans"),
        QStringLiteral("packet of butter"),
        QStringLiteral("packets of butter"),
        QStringLiteral("flour"),
        QStringLiteral("sugar"),
        QStringLiteral("rice"),
        QStringLiteral("potato"),
        QStringLiteral("pasta"),
        QStringLiteral("pear"),
        QStringLiteral("lemon"),
        QStringLiteral("onion"),
        QStringLiteral("tomato"),
        QStringLiteral("cat"),
        QStringLiteral("sack of sand"),
        QStringLiteral("teaspoon of sugar"),
        QStringLiteral("grape"),
        QStringLiteral("piece of ribbon"),
        QStringLiteral("lolly stick"),
        QStringLiteral("twig"),
        QStringLiteral("paper clip"),
        QStringLiteral("straw"),
        QStringLiteral("scarf"),
        QStringLiteral("skipping rope"),
        QStringLiteral("piece of string"),
        QStringLiteral("plank of wood"),
        QStringLiteral("piece of cloth"),
        QStringLiteral("rope"),
        QStringLiteral("cloth"),
        QStringLiteral("sunflower"),
        QStringLiteral("fence"),
        QStringLiteral("hose"),
        QStringLiteral("swimming lesson"),
        QStringLiteral("film"),
        QStringLiteral("football match"),
        QStringLiteral("school concert"),
        QStringLiteral("train journey"),
        QStringLiteral("art class"),
        QStringLiteral("piano lesson"),
        QStringLiteral("bus journey"),
        QStringLiteral("boat trip"),
        QStringLiteral("birthday party"),
        QStringLiteral("dance class"),
        QStringLiteral("bike ride"),
        QStringLiteral("January"),
        QStringLiteral("February"),
        QStringLiteral("March"),
        QStringLiteral("April"),
        QStringLiteral("June"),
        QStringLiteral("July"),
        QStringLiteral("August"),
        QStringLiteral("September"),
        QStringLiteral("October"),
        QStringLiteral("November"),
        QStringLiteral("December"),
        // Topics 8-10 (Picture Graphs, Fraction, Area, Perimeter and Volume)
        QStringLiteral("mango"),
        QStringLiteral("pink"), QStringLiteral("purple"), QStringLiteral("star"),
        QStringLiteral("fish"), QStringLiteral("ice cream"), QStringLiteral("photo"),
        QStringLiteral("tile"), QStringLiteral("napkin"), QStringLiteral("cushion"),
        QStringLiteral("flower bed"), QStringLiteral("sandpit"), QStringLiteral("playground"),
        QStringLiteral("field"), QStringLiteral("pizza"), QStringLiteral("chocolate"),
        QStringLiteral("ribbon"), QStringLiteral("tape"),
    };
    return objects;
}

// clang-format on

namespace {

QString alternation(const QStringList& words) {
    QStringList escaped;
    for (const QString& w : words)
        escaped << QRegularExpression::escape(w);
    // Longest first, so "strawberries" wins over "strawberr..." prefixes.
    std::sort(escaped.begin(), escaped.end(),
              [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return escaped.join(QLatin1Char('|'));
}

} // namespace

QString visibleText(const QString& html) {
    static const QRegularExpression comments(QStringLiteral("<!--.*?-->"),
                                             QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression hidden(
        QStringLiteral("<(style|script|title)\\b[^>]*>.*?</\\1>"),
        QRegularExpression::DotMatchesEverythingOption | QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression numeric(QStringLiteral("&#(x?)([0-9a-fA-F]+);"));
    static const QRegularExpression space(QStringLiteral("\\s+"));
    QString text = html;
    text.remove(comments);
    text.remove(hidden);
    // Cells and blocks end where a pupil sees a gap.
    text.replace(tags, QStringLiteral(" "));
    static const QList<QPair<QString, QString>> entities = {
        {QStringLiteral("&minus;"), QStringLiteral("\u2212")},
        {QStringLiteral("&times;"), QStringLiteral("\u00d7")},
        {QStringLiteral("&divide;"), QStringLiteral("\u00f7")},
        {QStringLiteral("&pound;"), QStringLiteral("\u00a3")},
        {QStringLiteral("&nbsp;"), QStringLiteral(" ")},
        {QStringLiteral("&lt;"), QStringLiteral("<")},
        {QStringLiteral("&gt;"), QStringLiteral(">")},
        {QStringLiteral("&quot;"), QStringLiteral("\"")},
        {QStringLiteral("&#39;"), QStringLiteral("'")},
        {QStringLiteral("&rsquo;"), QStringLiteral("\u2019")},
        {QStringLiteral("&frac12;"), QStringLiteral("\u00bd")},
    };
    for (const auto& [entity, character] : entities)
        text.replace(entity, character);
    QString decoded;
    qsizetype last = 0;
    auto it = numeric.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        decoded += text.mid(last, m.capturedStart() - last);
        bool ok = false;
        const uint code = m.captured(2).toUInt(&ok, m.captured(1).isEmpty() ? 10 : 16);
        decoded +=
            ok ? QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1) : m.captured(0);
        last = m.capturedEnd();
    }
    decoded += text.mid(last);
    decoded.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return decoded.replace(space, QStringLiteral(" ")).trimmed();
}

QString kindOf(const QString& visibleText) {
    static const QRegularExpression number(QStringLiteral("\\d+(?:[.,:]\\d+)*"));
    static const QRegularExpression names(
        QStringLiteral("\\b(?:%1)\\b").arg(alternation(personNames())));
    static const QRegularExpression objects(
        QStringLiteral("\\b(?:%1)(?:s|es)?\\b").arg(alternation(objectWords())),
        QRegularExpression::CaseInsensitiveOption);
    QString kind = visibleText;
    kind.replace(number, QStringLiteral("#"));
    kind.replace(names, QStringLiteral("@"));
    kind.replace(objects, QStringLiteral("@"));
    return kind;
}

} // namespace bank::vocab
