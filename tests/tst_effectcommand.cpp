// The "/effect" command builder: pure text in, text out, no windows.
#include "EffectCommand.h"
#include "TestTable.h"

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

using Options = QList<int>; // the options chosen

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

// Effect n: option n (1 to 23), the listed row n - 1 (24 to 41, rows 23 to
// 40) or clearing (0, option 30); with the other options given.
EffectChoices ChooseEffect(int n, QList<int> others = {}) {
    EffectChoices choices = Choose(n <= 23 ? others << (n == 0 ? 30 : n) : others);
    if (n > 23) {
        choices.listedEffect = std::size_t(n - 1);
    }
    return choices;
}

// Every effect (or clearing), target, duration and amplifier, with particles
// shown and hidden, each custom box holding a value the game takes, in `form`
// (option 35: Java Edition 1.13 on, 36: Bedrock Edition); effects the form's
// game lacks, and so leaves unset, are left out.
QList<EffectCommand> EveryCommand(int form) {
    QList<EffectCommand> commands;
    for (int effect = 0; effect <= 41; ++effect) {
        for (int target : {24, 25, 26, 27}) {
            for (int duration : {28, 29}) {
                for (int amplifier : {31, 32, 33}) {
                    for (bool hidden : {false, true}) {
                        EffectChoices choices =
                            ChooseEffect(effect, {target, duration, amplifier, form});
                        choices.text1 = "Creeper";
                        choices.text2 = "30";
                        choices.text4 = "2";
                        choices.hideParticles = hidden;
                        const EffectCommand built = BuildEffectCommand(choices);
                        if (!built.effectText.empty()) {
                            commands << built;
                        }
                    }
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
    void buildsTheCommand_data();
    void buildsTheCommand();
    void boxTextsAreCopiedVerbatim_data();
    void boxTextsAreCopiedVerbatim();
    void everyEffectIdWithBothFixedAmplifiers_data();
    void everyEffectIdWithBothFixedAmplifiers();
    void everyChoiceParsesAsTheGameReadsIt_data();
    void everyChoiceParsesAsTheGameReadsIt();
    void theGrammarRefusesBrokenLines_data();
    void theGrammarRefusesBrokenLines();
    void eachEffectKeepsItsOldNumber();
};

// Options chosen, box texts, a listed effect (a row of the effect table, -1
// for none) and hidden particles in; the three texts out. Each group of rows
// is one rule of the command.
void TestEffectCommand::buildsTheCommand_data() {
    TEST_COLUMNS(Options, options, QByteArray, text1, QByteArray, text2, QByteArray, text4);
    TEST_COLUMNS(int, listed, bool, hidden, QByteArray, effectText, QByteArray, amplifierText,
                 QByteArray, command);
    struct Boxes {
        QByteArray text1, text2, text4;
    };
    const auto row = [](const char* name, const QList<int>& options, const char* effectText,
                        const char* amplifierText, const char* command, const Boxes& boxes = {},
                        int listed = -1, bool hidden = false) {
        QTest::newRow(name) << options << boxes.text1 << boxes.text2 << boxes.text4 << listed
                            << hidden << QByteArray(effectText) << QByteArray(amplifierText)
                            << QByteArray(command);
    };

    // An unset part leaves an empty slot.
    row("nothing chosen, 11 characters", {}, "", "", "/effect    ");
    row("effect only", {5}, "5", "", "/effect  5  ");
    row("target only", {25}, "", "", "/effect @a   ");
    row("duration only", {29}, "", "", "/effect   99999 ");
    row("amplifier only", {32}, "", "1", "/effect    1");
    row("all but the target", {7, 29, 33}, "7", "255", "/effect  7 99999 255");
    row("all but the duration", {26, 7, 32}, "7", "1", "/effect @r 7  1");

    // "clear" beats any effect id.
    row("clear alone", {30}, "clear", "", "/effect  clear  ");
    row("clear for the nearest player", {30, 24}, "clear", "", "/effect @p clear  ");
    row("clear after id 1", {1, 30}, "clear", "", "/effect  clear  ");
    row("clear after id 12", {12, 30, 25}, "clear", "", "/effect @a clear  ");
    row("clear after id 23", {23, 30, 29, 33}, "clear", "255", "/effect  clear 99999 255");
    QList<int> everyId;
    for (int id = 1; id <= 23; ++id) {
        everyId << id;
    }
    row("clear after all 23 ids", everyId << 30, "clear", "", "/effect  clear  ");

    // Option 0 is never looked at.
    row("option 0 alone", {0}, "", "", "/effect    ");
    row("option 0 with target and duration", {0, 24, 29}, "", "", "/effect @p  99999 ");
    row("option 0 with every other group", {0, 26, 29, 32}, "", "1", "/effect @r  99999 1");
    row("option 0 with an effect id", {0, 14}, "14", "", "/effect  14  ");
    row("option 0 with clear", {0, 30}, "clear", "", "/effect  clear  ");

    // A box's text is used only while its option is chosen.
    const Boxes filled{"Steve", "30", "2"};
    row("nothing chosen, boxes filled", {}, "", "", "/effect    ", filled);
    row("named player box beside @p", {24, 3}, "3", "", "/effect @p 3  ", {"Steve", "", ""});
    row("duration box beside 99999", {25, 3, 29}, "3", "", "/effect @a 3 99999 ", {"", "30", ""});
    row("amplifier box beside 255", {26, 3, 33}, "3", "255", "/effect @r 3  255", {"", "", "2"});
    row("only the duration box chosen", {28}, "", "", "/effect   30 ", filled);

    // Numbers are never added up, and box digits stay as typed.
    row("custom duration 30, amplifier 1", {19, 27, 28, 32}, "19", "1", "/effect Creeper 19 30 1",
        {"Creeper", "30", ""});
    row("custom amplifier keeps its zeros", {2, 24, 29, 31}, "2", "007", "/effect @p 2 99999 007",
        {"", "", "007"});
    row("zeros everywhere", {10, 27, 28, 31}, "10", "0", "/effect 0 10 0 0", {"0", "0", "0"});
    row("digits in every box", {23, 27, 28, 31}, "23", "3", "/effect 1 23 2 3", {"1", "2", "3"});

    // A window may report several options of one group as selected; the one
    // examined last decides.
    const Boxes later{"Steve", "30", "9"};
    row("ids 3 and 17", {17, 3}, "17", "", "/effect  17  ", later);
    row("@p and @a", {25, 24}, "", "", "/effect @a   ", later);
    row("@a and @r", {26, 25}, "", "", "/effect @r   ", later);
    row("@p and named player", {27, 24}, "", "", "/effect Steve   ", later);
    row("all four targets", {24, 25, 26, 27}, "", "", "/effect Steve   ", later);
    row("custom and 99999 duration", {29, 28}, "", "", "/effect   99999 ", later);
    row("custom and 1 amplifier", {32, 31}, "", "1", "/effect    1", later);
    row("1 and 255 amplifier", {33, 32}, "", "255", "/effect    255", later);
    row("custom and 255 amplifier", {31, 33}, "", "255", "/effect    255", later);
    row("every amplifier", {31, 32, 33}, "", "255", "/effect    255", later);

    // Options 35 and 36 write today's games' forms by the rules of the old
    // one: one space before each piece, an unset piece empty, boxes verbatim.
    row("java: speed, all, permanent, maximum", {35, 1, 25, 29, 33}, "minecraft:speed", "255",
        "/effect give @a minecraft:speed 99999 255");
    row("java: clear drops duration and amplifier", {35, 30, 24, 29, 33}, "clear", "255",
        "/effect clear @p");
    row("java: clear, no target", {35, 30}, "clear", "", "/effect clear ");
    row("java: nothing else chosen", {35}, "", "", "/effect give    ");
    row("java: twin of speed", {35, 0, 24, 32}, "", "1", "/effect give @p   1");
    row("java: custom boxes", {35, 19, 27, 28, 31}, "minecraft:poison", "007",
        "/effect give  Ste ve minecraft:poison 30 007", {" Ste ve", "30", "007"});
    row("bedrock: speed, all, permanent, maximum", {36, 1, 25, 29, 33}, "speed", "255",
        "/effect @a speed 99999 255");
    row("bedrock: clear drops duration and amplifier", {36, 30, 24, 28, 31}, "clear", "2",
        "/effect @p clear", {"", "30", "2"});
    row("bedrock: clear, no target", {36, 30}, "clear", "", "/effect  clear");
    row("bedrock: nothing else chosen", {36}, "", "", "/effect    ");
    row("bedrock: custom boxes", {36, 23, 27, 28, 31}, "saturation", "",
        "/effect 苦力怕 saturation  x ", {"苦力怕", " x", ""});
    row("old form chosen: as with none", {34, 1, 25, 29, 33}, "1", "255", "/effect @a 1 99999 255");
    row("java then bedrock: bedrock", {35, 36, 4, 24}, "mining_fatigue", "",
        "/effect @p mining_fatigue  ");

    // A listed effect (row 23 glowing, 24 levitation, 26 unluck, 27 slow
    // falling, 31 hero of the village, 40 fatal poison) in each game's name,
    // unset where that game lacks it; it comes after the options, and
    // "clear" beats it.
    const QList<int> forAll{25, 29, 33};
    row("listed glowing, old form", forAll, "24", "255", "/effect @a 24 99999 255", {}, 23);
    row("listed unluck, old form", forAll, "27", "255", "/effect @a 27 99999 255", {}, 26);
    row("listed levitation, java", forAll + QList<int>{35}, "minecraft:levitation", "255",
        "/effect give @a minecraft:levitation 99999 255", {}, 24);
    row("listed hero, java", forAll + QList<int>{35}, "minecraft:hero_of_the_village", "255",
        "/effect give @a minecraft:hero_of_the_village 99999 255", {}, 31);
    row("listed hero, bedrock", forAll + QList<int>{36}, "village_hero", "255",
        "/effect @a village_hero 99999 255", {}, 31);
    row("listed fatal poison, bedrock", forAll + QList<int>{36}, "fatal_poison", "255",
        "/effect @a fatal_poison 99999 255", {}, 40);
    row("listed after an option", {1, 35}, "minecraft:slow_falling", "",
        "/effect give  minecraft:slow_falling  ", {}, 27);
    row("clear beats a listed one", {30, 36, 24}, "clear", "", "/effect @p clear", {}, 27);
    row("glowing in bedrock: unset", forAll + QList<int>{36}, "", "255", "/effect @a  99999 255",
        {}, 23);
    row("slow falling in the old form: unset", forAll, "", "255", "/effect @a  99999 255", {}, 27);
    row("fatal poison in java: unset", forAll + QList<int>{35}, "", "255",
        "/effect give @a  99999 255", {}, 40);

    // Hidden particles: "true" after the amplifier, nothing after a clear.
    const QList<int> speedForAll{1, 25, 29, 33};
    row("particles hidden, old form", speedForAll, "1", "255", "/effect @a 1 99999 255 true", {},
        -1, true);
    row("particles hidden, java", speedForAll + QList<int>{35}, "minecraft:speed", "255",
        "/effect give @a minecraft:speed 99999 255 true", {}, -1, true);
    row("particles hidden, bedrock", speedForAll + QList<int>{36}, "speed", "255",
        "/effect @a speed 99999 255 true", {}, -1, true);
    row("particles hidden, nothing else", {}, "", "", "/effect     true", {}, -1, true);
    row("particles hidden, listed glowing", forAll, "24", "255", "/effect @a 24 99999 255 true", {},
        23, true);
    row("particles hidden, old clear", {30, 24, 29, 33}, "clear", "255",
        "/effect @p clear 99999 255", {}, -1, true);
    row("particles hidden, java clear", {35, 30, 24}, "clear", "", "/effect clear @p", {}, -1,
        true);
    row("particles hidden, bedrock clear", {36, 30, 24}, "clear", "", "/effect @p clear", {}, -1,
        true);
}

void TestEffectCommand::buildsTheCommand() {
    TEST_FETCH(Options, options, QByteArray, text1, QByteArray, text2, QByteArray, text4);
    TEST_FETCH(int, listed, bool, hidden, QByteArray, effectText, QByteArray, amplifierText,
               QByteArray, command);

    EffectChoices choices = Choose(options, text1, text2, text4);
    if (listed >= 0) {
        choices.listedEffect = std::size_t(listed);
    }
    choices.hideParticles = hidden;
    const EffectCommand built = BuildEffectCommand(choices);
    QCOMPARE(Bytes(built.effectText), effectText);
    QCOMPARE(Bytes(built.amplifierText), amplifierText);
    QCOMPARE(Bytes(built.command), command);
}

// One box at a time: the option that reads it, the box's text, and the command
// with the text where that box's slot is.
void TestEffectCommand::boxTextsAreCopiedVerbatim_data() {
    TEST_COLUMNS(int, option, QByteArray, text, QByteArray, command);

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
    TEST_FETCH(int, option, QByteArray, text, QByteArray, command);

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

void TestEffectCommand::everyEffectIdWithBothFixedAmplifiers_data() {
    TEST_COLUMNS(int, id, int, amplifierOption, QByteArray, effectText, QByteArray, amplifierText);
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
    TEST_FETCH(int, id, int, amplifierOption, QByteArray, effectText, QByteArray, amplifierText);

    const EffectCommand built = BuildEffectCommand(Choose({id, 25, 29, amplifierOption}));
    QCOMPARE(Bytes(built.effectText), effectText);
    QCOMPARE(Bytes(built.amplifierText), amplifierText);
    QCOMPARE(Bytes(built.command), "/effect @a " + effectText + " 99999 " + amplifierText);
}

void TestEffectCommand::everyChoiceParsesAsTheGameReadsIt_data() {
    // grammar: an index into JavaGrammars(), or -1 for Bedrock; built and
    // checked: 48 lines a choice of effect (4 targets, 2 durations, 3
    // amplifiers, particles shown or hidden).
    TEST_COLUMNS(int, form, int, grammar, int, built, int, checked);
    const QList<JavaGrammar> grammars = JavaGrammars();
    QCOMPARE(grammars.size(), 3);
    // Java 1.13 on: 40 effects and clear, of which 1.13 has 30, 1.16 32.
    const int checked[] = {31 * 48, 33 * 48, 41 * 48};
    for (qsizetype n = 0; n < grammars.size(); ++n) {
        QTest::addRow("java %s", qPrintable(grammars[n].version))
            << 35 << int(n) << 41 * 48 << checked[n];
    }
    // Bedrock: 36 effects and clear.
    QTest::addRow(
        "bedrock %s",
        qPrintable(GameData()[QLatin1String("bedrock")][QLatin1String("version")].toString()))
        << 36 << -1 << 37 * 48 << 37 * 48;
}

// Java: the line parses as a path through the tree of each version that has
// its effect (a name no version has is tried, and refused). Bedrock, whose tree the game data
// lacks: the effect stands where it belongs and is one Bedrock lists, with at most "true" after the
// amplifier, or the line ends in "clear" after the target.
void TestEffectCommand::everyChoiceParsesAsTheGameReadsIt() {
    TEST_FETCH(int, form, int, grammar, int, built, int, checked);
    const QSet<QString> bedrock =
        Names(GameData()[QLatin1String("bedrock")][QLatin1String("effects")].toArray());
    const JavaGrammar java = grammar < 0 ? JavaGrammar{} : JavaGrammars().at(grammar);
    const QSet<QString> latest = JavaGrammars().constLast().effects;
    const QList<EffectCommand> commands = EveryCommand(form);
    QStringList refused;
    int tried = 0;
    for (const EffectCommand& command : commands) {
        const QByteArray line = Bytes(command.command);
        const QList<QByteArray> pieces = line.split(' ');
        const QString effect = QString::fromStdString(command.effectText);
        const QString id = effect.mid(effect.indexOf(QLatin1Char(':')) + 1);
        if (grammar >= 0 && !java.effects.contains(id) && latest.contains(id)) {
            continue; // not yet in this version
        }
        ++tried;
        const bool ends = pieces.size() == 5 || (pieces.size() == 6 && pieces[5] == "true");
        const bool takes = grammar >= 0         ? Parses(line, java)
                           : effect == u"clear" ? pieces.size() == 3 && pieces[2] == "clear"
                                                : ends && bedrock.contains(effect);
        if (!takes) {
            refused << QString::fromUtf8(line);
        }
    }
    qInfo("%lld commands, %d checked, %lld refused", qlonglong(commands.size()), tried,
          qlonglong(refused.size()));
    QCOMPARE(commands.size(), built);
    QCOMPARE(tried, checked);
    QVERIFY2(refused.isEmpty(), qPrintable(refused.mid(0, 5).join(QLatin1Char('\n'))));
}

// The check above can fail: lines the game refuses, under each Java tree.
void TestEffectCommand::theGrammarRefusesBrokenLines_data() {
    TEST_COLUMNS(QByteArray, line);
    QTest::newRow("the old form") << QByteArray("/effect @a 1 99999 255");
    QTest::newRow("a misspelt id") << QByteArray("/effect give @a minecraft:sped 99999 255");
    QTest::newRow("amplifier past 255") << QByteArray("/effect give @a minecraft:speed 30 256");
    QTest::newRow("an unset effect") << QByteArray("/effect give @a  99999 255");
    QTest::newRow("an unset target") << QByteArray("/effect clear ");
    QTest::newRow("clear after the target") << QByteArray("/effect @p clear");
    QTest::newRow("a misspelt new id") << QByteArray("/effect give @a minecraft:slow_faling 30 1");
    QTest::newRow("particles hidden by a word")
        << QByteArray("/effect give @a minecraft:speed 30 1 yes");
}

void TestEffectCommand::theGrammarRefusesBrokenLines() {
    TEST_FETCH(QByteArray, line);
    for (const JavaGrammar& grammar : JavaGrammars()) {
        QVERIFY2(!Parses(line, grammar), qPrintable(grammar.version));
    }
}

// The game's list from the last version that took numbers names, under each
// effect's number, the effect that Java Edition names so today: the 23
// options' and the four listed ones numbered 24 to 27.
void TestEffectCommand::eachEffectKeepsItsOldNumber() {
    const QJsonObject numbers =
        GameData()[QLatin1String("old")][QLatin1String("effects")].toObject();
    QCOMPARE(numbers.size(), 27);
    for (int effect = 1; effect <= 27; ++effect) {
        const QByteArray number = Bytes(BuildEffectCommand(ChooseEffect(effect)).effectText);
        const QString id =
            QString::fromStdString(BuildEffectCommand(ChooseEffect(effect, {35})).effectText);
        QCOMPARE(number, QByteArray::number(effect));
        QVERIFY(id.startsWith(u"minecraft:"));
        QCOMPARE(numbers[id.mid(10)].toInt(), effect);
    }
}

QTEST_APPLESS_MAIN(TestEffectCommand)
#include "tst_effectcommand.moc"
