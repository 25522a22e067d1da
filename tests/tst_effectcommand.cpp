// The "/effect" command builder: pure text in, text out, no windows.
#include "EffectCommand.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QSet>
#include <QTest>

#include <climits>
#include <string>

namespace {

// QByteArray keeps NUL and invalid UTF-8 intact, which QString would not.
std::string Bytes(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QByteArray Bytes(const std::string& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

EffectChoices Choose(const QList<int>& options, const QByteArray& text1 = {},
                     const QByteArray& text2 = {}, const QByteArray& text4 = {}) {
    EffectChoices choices;
    for (int option : options) {
        choices.chosen.at(static_cast<std::size_t>(option)) = true;
    }
    choices.text1 = Bytes(text1);
    choices.text2 = Bytes(text2);
    choices.text4 = Bytes(text4);
    return choices;
}

// Columns shared by the tables that pick options and fill the three boxes.
void AddChoiceColumns() {
    QTest::addColumn<QList<int>>("options");
    QTest::addColumn<QByteArray>("text1");
    QTest::addColumn<QByteArray>("text2");
    QTest::addColumn<QByteArray>("text4");
}

const QByteArray kInvalidUtf8("\xC3\x28\xFF\xFE", 4);
const QByteArray kWithNul("Cree\0per", 8);

// What the game says about "/effect" (tests/data/effect-grammar): per Java
// version the "effect" node of its command tree and its effect ids, and
// Bedrock's effect ids.
struct JavaGrammar {
    QString version;
    QJsonObject effect;
    QSet<QString> effects;
};

const QJsonObject& GameData() {
    static const QJsonObject data = [] {
        QFile file(QStringLiteral(CT_EFFECT_GRAMMAR));
        if (!file.open(QIODevice::ReadOnly)) {
            qFatal("cannot read %s", CT_EFFECT_GRAMMAR);
        }
        return QJsonDocument::fromJson(file.readAll()).object();
    }();
    return data;
}

QSet<QString> Names(const QJsonArray& names) {
    QSet<QString> set;
    for (const QJsonValue& name : names) {
        set.insert(name.toString());
    }
    return set;
}

QList<JavaGrammar> JavaGrammars() {
    QList<JavaGrammar> grammars;
    for (const QJsonValue& version : GameData()[QLatin1String("java")].toArray()) {
        grammars.append({version[QLatin1String("version")].toString(),
                         version[QLatin1String("effect")].toObject(),
                         Names(version[QLatin1String("effects")].toArray())});
    }
    return grammars;
}

// Reads one argument as the game's parser of that name does, for the pieces
// a command of this window can hold: whether it takes the whole word.
bool ArgumentTakes(const QJsonObject& parser, const QString& word, const JavaGrammar& grammar) {
    const QString name = parser[QLatin1String("parser")].toString();
    const QJsonObject modifier = parser[QLatin1String("modifier")].toObject();
    if (name == u"minecraft:entity") {
        // A selector without arguments, or a player's name (at most 16 characters).
        if (word.startsWith(QLatin1Char('@'))) {
            return word.size() == 2 && QStringLiteral("pares").contains(word[1]);
        }
        return !word.isEmpty() && word.size() <= 16;
    }
    if (name == u"minecraft:mob_effect" ||
        (name == u"minecraft:resource" &&
         modifier[QLatin1String("registry")].toString() == u"minecraft:mob_effect")) {
        const QString path = word.startsWith(u"minecraft:") ? word.mid(10) : word;
        return grammar.effects.contains(path);
    }
    if (name == u"brigadier:integer") {
        bool number = false;
        const int value = word.toInt(&number);
        return number && !word.startsWith(QLatin1Char('+')) &&
               value >= modifier[QLatin1String("min")].toInt(INT_MIN) &&
               value <= modifier[QLatin1String("max")].toInt(INT_MAX);
    }
    if (name == u"brigadier:bool") {
        return word == u"true" || word == u"false";
    }
    return false; // a parser this check does not know refuses
}

// Whether the rest of the line from `at`, after `node` has been read, is a
// path through the tree: one space before each piece, ending where the tree
// allows an end.
bool RestParses(const QJsonObject& node, const QString& line, qsizetype at,
                const JavaGrammar& grammar) {
    if (at == line.size()) {
        return node[QLatin1String("executable")].toBool();
    }
    if (line[at] != QLatin1Char(' ')) {
        return false;
    }
    ++at;
    const qsizetype space = line.indexOf(QLatin1Char(' '), at);
    const qsizetype end = space < 0 ? line.size() : space;
    const QString word = line.mid(at, end - at);
    for (const QJsonValue& value : node[QLatin1String("children")].toArray()) {
        const QJsonObject child = value.toObject();
        const bool takes =
            child[QLatin1String("type")].toString() == u"literal"
                ? word == child[QLatin1String("name")].toString()
                : ArgumentTakes(child[QLatin1String("parser")].toObject(), word, grammar);
        if (takes && RestParses(child, line, end, grammar)) {
            return true;
        }
    }
    return false;
}

bool Parses(const QByteArray& command, const JavaGrammar& grammar) {
    const QString line = QString::fromUtf8(command);
    const QString head = QLatin1Char('/') + grammar.effect[QLatin1String("name")].toString();
    return line.startsWith(head) && RestParses(grammar.effect, line, head.size(), grammar);
}

// Every choice of an effect (or clearing), a target, a duration and an
// amplifier, each custom box holding a value the game takes, in `form`
// (option 35: Java Edition 1.13 on, 36: Bedrock Edition).
QList<EffectCommand> EveryCommand(int form) {
    QList<EffectCommand> commands;
    for (int effect = 1; effect <= 30; effect = effect == 23 ? 30 : effect + 1) {
        for (int target : {24, 25, 26, 27}) {
            for (int duration : {28, 29}) {
                for (int amplifier : {31, 32, 33}) {
                    commands << BuildEffectCommand(
                        Choose({effect, target, duration, amplifier, form}, "Creeper", "30", "2"));
                }
            }
        }
    }
    return commands;
}

} // namespace

class TestEffectCommand final : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void unsetPartsLeaveEmptySlots_data();
    void unsetPartsLeaveEmptySlots();
    void clearBeatsAnyEffectId_data();
    void clearBeatsAnyEffectId();
    void optionZeroIsIgnored_data();
    void optionZeroIsIgnored();
    void boxTextsAreCopiedVerbatim_data();
    void boxTextsAreCopiedVerbatim();
    void boxTextIsUnusedUnlessItsOptionIsChosen_data();
    void boxTextIsUnusedUnlessItsOptionIsChosen();
    void everyEffectIdWithBothFixedAmplifiers_data();
    void everyEffectIdWithBothFixedAmplifiers();
    void numbersAreNeverAddedUp_data();
    void numbersAreNeverAddedUp();
    void laterOptionWinsWithinAGroup_data();
    void laterOptionWinsWithinAGroup();
    void formsOfTodaysGames_data();
    void formsOfTodaysGames();
    void everyChoiceParsesAsTheGameReadsIt_data();
    void everyChoiceParsesAsTheGameReadsIt();
    void theGrammarRefusesBrokenLines_data();
    void theGrammarRefusesBrokenLines();
    void eachEffectKeepsItsOldNumber();
};

void TestEffectCommand::unsetPartsLeaveEmptySlots_data() {
    QTest::addColumn<QList<int>>("options");
    QTest::addColumn<QByteArray>("effectText");
    QTest::addColumn<QByteArray>("amplifierText");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("nothing chosen, 11 characters")
        << QList<int>{} << QByteArray() << QByteArray() << QByteArray("/effect    ");
    QTest::newRow("effect only") << QList<int>{5} << QByteArray("5") << QByteArray()
                                 << QByteArray("/effect  5  ");
    QTest::newRow("target only") << QList<int>{25} << QByteArray() << QByteArray()
                                 << QByteArray("/effect @a   ");
    QTest::newRow("duration only")
        << QList<int>{29} << QByteArray() << QByteArray() << QByteArray("/effect   99999 ");
    QTest::newRow("amplifier only")
        << QList<int>{32} << QByteArray() << QByteArray("1") << QByteArray("/effect    1");
    QTest::newRow("all but the target") << QList<int>{7, 29, 33} << QByteArray("7")
                                        << QByteArray("255") << QByteArray("/effect  7 99999 255");
    QTest::newRow("all but the duration") << QList<int>{26, 7, 32} << QByteArray("7")
                                          << QByteArray("1") << QByteArray("/effect @r 7  1");
}

void TestEffectCommand::unsetPartsLeaveEmptySlots() {
    QFETCH(QList<int>, options);
    QFETCH(QByteArray, effectText);
    QFETCH(QByteArray, amplifierText);
    QFETCH(QByteArray, command);

    const EffectCommand built = BuildEffectCommand(Choose(options));
    QCOMPARE(Bytes(built.effectText), effectText);
    QCOMPARE(Bytes(built.amplifierText), amplifierText);
    QCOMPARE(Bytes(built.command), command);
}

void TestEffectCommand::clearBeatsAnyEffectId_data() {
    QTest::addColumn<QList<int>>("options");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("clear alone") << QList<int>{30} << QByteArray("/effect  clear  ");
    QTest::newRow("clear for the nearest player")
        << QList<int>{30, 24} << QByteArray("/effect @p clear  ");
    QTest::newRow("id 1") << QList<int>{1, 30} << QByteArray("/effect  clear  ");
    QTest::newRow("id 12") << QList<int>{12, 30, 25} << QByteArray("/effect @a clear  ");
    QTest::newRow("id 23") << QList<int>{23, 30, 29, 33} << QByteArray("/effect  clear 99999 255");

    QList<int> everyId;
    for (int id = 1; id <= 23; ++id) {
        everyId << id;
    }
    QTest::newRow("all 23 ids") << (everyId << 30) << QByteArray("/effect  clear  ");
}

void TestEffectCommand::clearBeatsAnyEffectId() {
    QFETCH(QList<int>, options);
    QFETCH(QByteArray, command);

    const EffectCommand built = BuildEffectCommand(Choose(options));
    QCOMPARE(Bytes(built.effectText), QByteArray("clear"));
    QCOMPARE(Bytes(built.command), command);
}

void TestEffectCommand::optionZeroIsIgnored_data() {
    QTest::addColumn<QList<int>>("options");
    QTest::addColumn<QByteArray>("effectText");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("alone") << QList<int>{0} << QByteArray() << QByteArray("/effect    ");
    QTest::newRow("with target and duration")
        << QList<int>{0, 24, 29} << QByteArray() << QByteArray("/effect @p  99999 ");
    QTest::newRow("with every other group")
        << QList<int>{0, 26, 29, 32} << QByteArray() << QByteArray("/effect @r  99999 1");
    QTest::newRow("with an effect id")
        << QList<int>{0, 14} << QByteArray("14") << QByteArray("/effect  14  ");
    QTest::newRow("with clear") << QList<int>{0, 30} << QByteArray("clear")
                                << QByteArray("/effect  clear  ");
}

void TestEffectCommand::optionZeroIsIgnored() {
    QFETCH(QList<int>, options);
    QFETCH(QByteArray, effectText);
    QFETCH(QByteArray, command);

    const EffectCommand built = BuildEffectCommand(Choose(options));
    QCOMPARE(Bytes(built.effectText), effectText);
    QCOMPARE(Bytes(built.command), command);
}

// One box at a time: the option that reads it, the box's text, and the command
// with the text where that box's slot is.
void TestEffectCommand::boxTextsAreCopiedVerbatim_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("command");

    const struct {
        const char* name;
        QByteArray text;
    } texts[] = {
        {"letters", "Creeper"},
        {"leading space", " Steve"},
        {"inner space", "Ste ve"},
        {"trailing spaces", "Steve  "},
        {"empty", ""},
        {"zero", "0"},
        {"300", "300"},
        {"chinese", "苦力怕"},
        {"invalid utf-8", kInvalidUtf8},
        {"embedded nul", kWithNul},
    };
    for (const auto& [name, text] : texts) {
        QTest::addRow("player: %s", name) << 27 << text << "/effect " + text + " 1 99999 1";
        QTest::addRow("duration: %s", name) << 28 << text << "/effect @p 1 " + text + " 1";
        QTest::addRow("amplifier: %s", name) << 31 << text << "/effect @p 1 99999 " + text;
    }
}

void TestEffectCommand::boxTextsAreCopiedVerbatim() {
    QFETCH(int, option);
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, command);

    // Fixed choices fill the slots the box under test does not.
    QList<int> options{1, option};
    options << (option == 27 ? QList<int>{} : QList<int>{24});
    options << (option == 28 ? QList<int>{} : QList<int>{29});
    options << (option == 31 ? QList<int>{} : QList<int>{32});
    // The same text in every box shows each box lands only in its own slot.
    const EffectCommand built = BuildEffectCommand(Choose(options, text, text, text));
    QCOMPARE(Bytes(built.command), command);
    QCOMPARE(Bytes(built.amplifierText), option == 31 ? text : QByteArray("1"));
}

void TestEffectCommand::boxTextIsUnusedUnlessItsOptionIsChosen_data() {
    AddChoiceColumns();
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("nothing chosen, boxes filled")
        << QList<int>{} << QByteArray("Steve") << QByteArray("30") << QByteArray("2")
        << QByteArray("/effect    ");
    QTest::newRow("named player box beside @p")
        << QList<int>{24, 3} << QByteArray("Steve") << QByteArray() << QByteArray()
        << QByteArray("/effect @p 3  ");
    QTest::newRow("duration box beside 99999")
        << QList<int>{25, 3, 29} << QByteArray() << QByteArray("30") << QByteArray()
        << QByteArray("/effect @a 3 99999 ");
    QTest::newRow("amplifier box beside 255")
        << QList<int>{26, 3, 33} << QByteArray() << QByteArray() << QByteArray("2")
        << QByteArray("/effect @r 3  255");
    QTest::newRow("only the duration box chosen")
        << QList<int>{28} << QByteArray("Steve") << QByteArray("30") << QByteArray("2")
        << QByteArray("/effect   30 ");
}

void TestEffectCommand::boxTextIsUnusedUnlessItsOptionIsChosen() {
    QFETCH(QList<int>, options);
    QFETCH(QByteArray, text1);
    QFETCH(QByteArray, text2);
    QFETCH(QByteArray, text4);
    QFETCH(QByteArray, command);

    const EffectCommand built = BuildEffectCommand(Choose(options, text1, text2, text4));
    QCOMPARE(Bytes(built.command), command);
}

void TestEffectCommand::everyEffectIdWithBothFixedAmplifiers_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<int>("amplifierOption");
    QTest::addColumn<QByteArray>("effectText");
    QTest::addColumn<QByteArray>("amplifierText");
    const char* const ids[] = {"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",
                               "9",  "10", "11", "12", "13", "14", "15", "16",
                               "17", "18", "19", "20", "21", "22", "23"};
    for (int id = 1; id <= 23; ++id) {
        QTest::addRow("id %d, amplifier 1", id)
            << id << 32 << QByteArray(ids[id - 1]) << QByteArray("1");
        QTest::addRow("id %d, amplifier 255", id)
            << id << 33 << QByteArray(ids[id - 1]) << QByteArray("255");
    }
}

void TestEffectCommand::everyEffectIdWithBothFixedAmplifiers() {
    QFETCH(int, id);
    QFETCH(int, amplifierOption);
    QFETCH(QByteArray, effectText);
    QFETCH(QByteArray, amplifierText);

    const EffectCommand built = BuildEffectCommand(Choose({id, 25, 29, amplifierOption}));
    QCOMPARE(Bytes(built.effectText), effectText);
    QCOMPARE(Bytes(built.amplifierText), amplifierText);
    QCOMPARE(Bytes(built.command), "/effect @a " + effectText + " 99999 " + amplifierText);
}

void TestEffectCommand::numbersAreNeverAddedUp_data() {
    AddChoiceColumns();
    QTest::addColumn<QByteArray>("amplifierText");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("custom duration 30, amplifier 1")
        << QList<int>{19, 27, 28, 32} << QByteArray("Creeper") << QByteArray("30") << QByteArray()
        << QByteArray("1") << QByteArray("/effect Creeper 19 30 1");
    QTest::newRow("custom amplifier keeps its zeros")
        << QList<int>{2, 24, 29, 31} << QByteArray() << QByteArray() << QByteArray("007")
        << QByteArray("007") << QByteArray("/effect @p 2 99999 007");
    QTest::newRow("zeros everywhere")
        << QList<int>{10, 27, 28, 31} << QByteArray("0") << QByteArray("0") << QByteArray("0")
        << QByteArray("0") << QByteArray("/effect 0 10 0 0");
    QTest::newRow("digits in every box")
        << QList<int>{23, 27, 28, 31} << QByteArray("1") << QByteArray("2") << QByteArray("3")
        << QByteArray("3") << QByteArray("/effect 1 23 2 3");
}

void TestEffectCommand::numbersAreNeverAddedUp() {
    QFETCH(QList<int>, options);
    QFETCH(QByteArray, text1);
    QFETCH(QByteArray, text2);
    QFETCH(QByteArray, text4);
    QFETCH(QByteArray, amplifierText);
    QFETCH(QByteArray, command);

    const EffectCommand built = BuildEffectCommand(Choose(options, text1, text2, text4));
    QCOMPARE(Bytes(built.amplifierText), amplifierText);
    QCOMPARE(Bytes(built.command), command);
}

// A window may report several options of one group as selected; the one
// examined last decides.
void TestEffectCommand::laterOptionWinsWithinAGroup_data() {
    QTest::addColumn<QList<int>>("options");
    QTest::addColumn<QByteArray>("effectText");
    QTest::addColumn<QByteArray>("amplifierText");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("ids 3 and 17") << QList<int>{17, 3} << QByteArray("17") << QByteArray()
                                  << QByteArray("/effect  17  ");
    QTest::newRow("@p and @a") << QList<int>{25, 24} << QByteArray() << QByteArray()
                               << QByteArray("/effect @a   ");
    QTest::newRow("@a and @r") << QList<int>{26, 25} << QByteArray() << QByteArray()
                               << QByteArray("/effect @r   ");
    QTest::newRow("@p and named player")
        << QList<int>{27, 24} << QByteArray() << QByteArray() << QByteArray("/effect Steve   ");
    QTest::newRow("all four targets") << QList<int>{24, 25, 26, 27} << QByteArray() << QByteArray()
                                      << QByteArray("/effect Steve   ");
    QTest::newRow("custom and 99999 duration")
        << QList<int>{29, 28} << QByteArray() << QByteArray() << QByteArray("/effect   99999 ");
    QTest::newRow("custom and 1 amplifier")
        << QList<int>{32, 31} << QByteArray() << QByteArray("1") << QByteArray("/effect    1");
    QTest::newRow("1 and 255 amplifier")
        << QList<int>{33, 32} << QByteArray() << QByteArray("255") << QByteArray("/effect    255");
    QTest::newRow("custom and 255 amplifier")
        << QList<int>{31, 33} << QByteArray() << QByteArray("255") << QByteArray("/effect    255");
    QTest::newRow("every amplifier") << QList<int>{31, 32, 33} << QByteArray() << QByteArray("255")
                                     << QByteArray("/effect    255");
}

void TestEffectCommand::laterOptionWinsWithinAGroup() {
    QFETCH(QList<int>, options);
    QFETCH(QByteArray, effectText);
    QFETCH(QByteArray, amplifierText);
    QFETCH(QByteArray, command);

    const EffectCommand built =
        BuildEffectCommand(Choose(options, QByteArray("Steve"), QByteArray("30"), QByteArray("9")));
    QCOMPARE(Bytes(built.effectText), effectText);
    QCOMPARE(Bytes(built.amplifierText), amplifierText);
    QCOMPARE(Bytes(built.command), command);
}

// Options 35 and 36 write today's games' forms by the rules of the old one:
// one space before each piece, an unset piece empty, box texts verbatim.
void TestEffectCommand::formsOfTodaysGames_data() {
    AddChoiceColumns();
    QTest::addColumn<QByteArray>("effectText");
    QTest::addColumn<QByteArray>("command");
    const auto row = [](const char* name, const QList<int>& options, const char* effectText,
                        const char* command, const QByteArray& text1 = {},
                        const QByteArray& text2 = {}, const QByteArray& text4 = {}) {
        QTest::newRow(name) << options << text1 << text2 << text4 << QByteArray(effectText)
                            << QByteArray(command);
    };
    row("java: speed, all, permanent, maximum", {35, 1, 25, 29, 33}, "minecraft:speed",
        "/effect give @a minecraft:speed 99999 255");
    row("java: clear drops duration and amplifier", {35, 30, 24, 29, 33}, "clear",
        "/effect clear @p");
    row("java: clear, no target", {35, 30}, "clear", "/effect clear ");
    row("java: nothing else chosen", {35}, "", "/effect give    ");
    row("java: twin of speed", {35, 0, 24, 32}, "", "/effect give @p   1");
    row("java: custom boxes", {35, 19, 27, 28, 31}, "minecraft:poison",
        "/effect give  Ste ve minecraft:poison 30 007", " Ste ve", "30", "007");
    row("bedrock: speed, all, permanent, maximum", {36, 1, 25, 29, 33}, "speed",
        "/effect @a speed 99999 255");
    row("bedrock: clear drops duration and amplifier", {36, 30, 24, 28, 31}, "clear",
        "/effect @p clear", {}, "30", "2");
    row("bedrock: clear, no target", {36, 30}, "clear", "/effect  clear");
    row("bedrock: nothing else chosen", {36}, "", "/effect    ");
    row("bedrock: custom boxes", {36, 23, 27, 28, 31}, "saturation",
        "/effect 苦力怕 saturation  x ", "苦力怕", " x", "");
    row("old form chosen: as with none", {34, 1, 25, 29, 33}, "1", "/effect @a 1 99999 255");
    row("java then bedrock: bedrock", {35, 36, 4, 24}, "mining_fatigue",
        "/effect @p mining_fatigue  ");
}

void TestEffectCommand::formsOfTodaysGames() {
    QFETCH(QList<int>, options);
    QFETCH(QByteArray, text1);
    QFETCH(QByteArray, text2);
    QFETCH(QByteArray, text4);
    QFETCH(QByteArray, effectText);
    QFETCH(QByteArray, command);

    const EffectCommand built = BuildEffectCommand(Choose(options, text1, text2, text4));
    QCOMPARE(Bytes(built.effectText), effectText);
    QCOMPARE(Bytes(built.command), command);
}

void TestEffectCommand::everyChoiceParsesAsTheGameReadsIt_data() {
    QTest::addColumn<int>("form");
    QTest::addColumn<int>("grammar"); // index into JavaGrammars(), or -1 for Bedrock
    const QList<JavaGrammar> grammars = JavaGrammars();
    QCOMPARE(grammars.size(), 3);
    for (qsizetype n = 0; n < grammars.size(); ++n) {
        QTest::addRow("java %s", qPrintable(grammars[n].version)) << 35 << int(n);
    }
    QTest::addRow(
        "bedrock %s",
        qPrintable(GameData()[QLatin1String("bedrock")][QLatin1String("version")].toString()))
        << 36 << -1;
}

// Java: the line parses as a path through the version's tree. Bedrock, whose
// tree the game data lacks: the effect stands where it belongs and is one
// Bedrock knows, or the line ends in "clear" after the target.
void TestEffectCommand::everyChoiceParsesAsTheGameReadsIt() {
    QFETCH(int, form);
    QFETCH(int, grammar);
    const QSet<QString> bedrock =
        Names(GameData()[QLatin1String("bedrock")][QLatin1String("effects")].toArray());
    const JavaGrammar java = grammar < 0 ? JavaGrammar{} : JavaGrammars().at(grammar);
    const QList<EffectCommand> commands = EveryCommand(form);
    QStringList refused;
    for (const EffectCommand& built : commands) {
        const QByteArray line = Bytes(built.command);
        const QList<QByteArray> pieces = line.split(' ');
        const bool takes =
            grammar >= 0 ? Parses(line, java)
            : built.effectText == "clear"
                ? pieces.size() == 3 && pieces[2] == "clear"
                : pieces.size() == 5 && bedrock.contains(QString::fromUtf8(pieces[2]));
        if (!takes) {
            refused << QString::fromUtf8(line);
        }
    }
    qInfo("%lld commands, %lld refused", qlonglong(commands.size()), qlonglong(refused.size()));
    QCOMPARE(commands.size(), 24 * 4 * 2 * 3);
    QVERIFY2(refused.isEmpty(), qPrintable(refused.mid(0, 5).join(QLatin1Char('\n'))));
}

// The check above can fail: lines the game refuses, under each Java tree.
void TestEffectCommand::theGrammarRefusesBrokenLines_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("the old form") << QByteArray("/effect @a 1 99999 255");
    QTest::newRow("a misspelt id") << QByteArray("/effect give @a minecraft:sped 99999 255");
    QTest::newRow("amplifier past 255") << QByteArray("/effect give @a minecraft:speed 30 256");
    QTest::newRow("an unset effect") << QByteArray("/effect give @a  99999 255");
    QTest::newRow("an unset target") << QByteArray("/effect clear ");
    QTest::newRow("clear after the target") << QByteArray("/effect @p clear");
}

void TestEffectCommand::theGrammarRefusesBrokenLines() {
    QFETCH(QByteArray, line);
    for (const JavaGrammar& grammar : JavaGrammars()) {
        QVERIFY2(!Parses(line, grammar), qPrintable(grammar.version));
    }
}

// The game's list from the last version that took numbers names, under each
// option's number, the effect that option names today.
void TestEffectCommand::eachEffectKeepsItsOldNumber() {
    const QJsonObject numbers =
        GameData()[QLatin1String("old")][QLatin1String("effects")].toObject();
    for (int option = 1; option <= 23; ++option) {
        const QByteArray number = Bytes(BuildEffectCommand(Choose({option})).effectText);
        const QByteArray id = Bytes(BuildEffectCommand(Choose({option, 36})).effectText);
        QCOMPARE(number, QByteArray::number(option));
        QVERIFY2(numbers.contains(QString::fromUtf8(id)), id.constData());
        QCOMPARE(numbers[QString::fromUtf8(id)].toInt(), option);
    }
}

QTEST_APPLESS_MAIN(TestEffectCommand)
#include "tst_effectcommand.moc"
