#include "app/sequencefile.h"

#include "app/commandline.h"
#include "app/texts.h"
#include "params/baudmath.h"
#include "settings/fileaccess.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>

namespace {
class SequenceTexts
{
    Q_DECLARE_TR_FUNCTIONS(SequenceFile)
};

const QString typeName = QStringLiteral("corvantis-panel sequence");
constexpr int fileVersion = 1;

// The file's keys, each named once: the writer and the reader use them, and the reader's sentences
// name a field by them.
namespace Key {
const QString type = QStringLiteral("type");
const QString version = QStringLiteral("version");
const QString link = QStringLiteral("link");
const QString format = QStringLiteral("format");
const QString address = QStringLiteral("address");
const QString baudRate = QStringLiteral("baudRate");
const QString home = QStringLiteral("home");
const QString loop = QStringLiteral("loop");
const QString poses = QStringLiteral("poses");
const QString steps = QStringLiteral("steps");
const QString name = QStringLiteral("name");
const QString positions = QStringLiteral("positions");
const QString pose = QStringLiteral("pose");
const QString move = QStringLiteral("move");
const QString hold = QStringLiteral("hold");
const QString easing = QStringLiteral("easing");
} // namespace Key

// "\"step\", \"linear\" or \"ease-in-out\"": every easing's name, for the sentence that refuses
// another.
QString easingChoices()
{
    QStringList names;
    for (const EasingName &e : easings)
        names << QStringLiteral("\"%1\"").arg(QLatin1String(e.name));
    const QString last = names.takeLast();
    //: The last of a list of choices: %1 the others, separated by commas, %2 the last one.
    return SequenceTexts::tr("%1 or %2").arg(names.join(QStringLiteral(", ")), last);
}

// Reads the fields one by one; the first that is wrong ends the reading with a sentence that
// names it.
class Reader
{
  public:
    explicit Reader(const QString &name) : m_name(name) {}

    bool failed() const { return !m_refusal.isEmpty(); }
    const QString &refusal() const { return m_refusal; }

    void fail(const QString &field, const QString &why)
    {
        //: %2 names the field as the file spells it ("steps[3].move"), %3 says what it must be
        //: ("must be a whole number from 0 to 60000").
        if (!failed())
            m_refusal = SequenceTexts::tr("\"%1\" is not a sequence this program can play: %2 %3.")
                            .arg(m_name, field, why);
    }

    // A whole number from `low` to `high`; a Mini SSC address says why its range is not plain.
    int number(const QJsonValue &value, const QString &field, qint64 low, qint64 high,
               bool miniSscAddress = false)
    {
        const double d = value.toDouble(std::nan(""));
        if (!value.isDouble() || d != std::floor(d) || d < double(low) || d > double(high)) {
            fail(field, (miniSscAddress ? SequenceTexts::tr("must be a whole number from %1 to %2 "
                                                            "in the Mini SSC format, whose servo "
                                                            "numbers end at 254")
                                        : SequenceTexts::tr("must be a whole number from %1 to %2"))
                            .arg(low)
                            .arg(high));
            return int(low);
        }
        return int(d);
    }

    QJsonArray array(const QJsonValue &value, const QString &field, qsizetype least, qsizetype most)
    {
        const QJsonArray a = value.toArray();
        if (!value.isArray() || a.size() < least || a.size() > most)
            fail(field, least == most
                            ? SequenceTexts::tr("must be a list of %1").arg(least)
                            : SequenceTexts::tr("must be a list of %1 to %2").arg(least).arg(most));
        return a;
    }

    QJsonObject object(const QJsonValue &value, const QString &field)
    {
        if (!value.isObject())
            fail(field, SequenceTexts::tr("is missing or not an object"));
        return value.toObject();
    }

  private:
    QString m_name;
    QString m_refusal;
};

// A JSON string's text from its opening quote at `at`, which it moves past the closing one. Only
// a string with escapes is decoded, by the parser itself.
QString jsonString(const QByteArray &text, qsizetype &at)
{
    const qsizetype start = at;
    bool escaped = false;
    for (++at; at < text.size() && text[at] != '"'; ++at)
        if (text[at] == '\\') {
            escaped = true;
            ++at;
        }
    ++at;
    const QByteArray quoted = text.mid(start, at - start);
    if (!escaped)
        return QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
    return QJsonDocument::fromJson('[' + quoted + ']').array().at(0).toString();
}

// The first key given twice in one object of JSON text that parses, as the field it names
// ("loop", "steps[2].hold"); empty when there is none. The parser would silently keep the last.
QString repeatedKey(const QByteArray &text)
{
    struct Level
    {
        bool object;
        QString field;   // the object's or list's own
        QString key;     // in an object: the key of the value under way
        qsizetype index; // in a list: the value under way
        QSet<QString> keys;
    };
    std::vector<Level> levels;
    bool keyNext = false; // in an object, before a key
    auto fieldHere = [&levels]() {
        if (levels.empty())
            return QString();
        const Level &in = levels.back();
        if (!in.object)
            return in.field + QStringLiteral("[%1]").arg(in.index);
        return in.field.isEmpty() ? in.key : in.field + QLatin1Char('.') + in.key;
    };
    for (qsizetype at = 0; at < text.size();) {
        const char c = text[at];
        if (c == '"') {
            const QString word = jsonString(text, at);
            if (keyNext) {
                Level &in = levels.back();
                if (in.keys.contains(word)) {
                    in.key = word;
                    return fieldHere();
                }
                in.keys.insert(word);
                in.key = word;
                keyNext = false;
            }
            continue;
        }
        if (c == '{' || c == '[') {
            levels.push_back({c == '{', fieldHere(), {}, 0, {}});
            keyNext = c == '{';
        } else if (c == '}' || c == ']') {
            levels.pop_back();
        } else if (c == ',') {
            keyNext = levels.back().object;
            levels.back().index += !levels.back().object;
        }
        ++at;
    }
    return {};
}
} // namespace

QByteArray encodeSequenceFile(const SequenceFile &file)
{
    const Sequence &s = file.sequence;
    QJsonArray poses;
    for (const Pose &pose : s.poses) {
        QJsonArray positions;
        for (const std::uint8_t p : pose.positions)
            positions.append(int(p));
        poses.append(QJsonObject{{Key::name, QString::fromStdString(pose.name)},
                                 {Key::positions, positions}});
    }
    QJsonArray steps;
    for (const Step &step : s.steps)
        steps.append(QJsonObject{{Key::pose, step.pose},
                                 {Key::move, step.moveMs},
                                 {Key::hold, step.holdMs},
                                 {Key::easing, QLatin1String(easingName(step.easing))}});
    const QJsonObject link{{Key::format, file.link.nativeFormat ? QStringLiteral("Quorvel")
                                                                : QStringLiteral("Mini SSC")},
                           {Key::address, file.link.address},
                           {Key::baudRate, file.link.baud}};
    const QJsonObject root{
        {Key::type, typeName},
        {Key::version, fileVersion},
        {Key::link, link},
        {Key::home, s.home},
        {Key::loop, s.rounds == 0 ? QJsonValue(QStringLiteral("forever")) : QJsonValue(s.rounds)},
        {Key::poses, poses},
        {Key::steps, steps}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SequenceFileRead decodeSequenceFile(const QByteArray &text, const QString &name)
{
    const QString shown = Texts::outside(name);
    if (text.size() > largestSequenceFile)
        return {std::nullopt, SequenceTexts::tr("\"%1\" is larger than a sequence file may be "
                                                "(%2 bytes).")
                                  .arg(shown)
                                  .arg(largestSequenceFile)};
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parse);
    if (parse.error != QJsonParseError::NoError)
        return {std::nullopt, SequenceTexts::tr("\"%1\" is damaged or cut short: %2 at byte %3.")
                                  .arg(shown, parse.errorString())
                                  .arg(parse.offset)};
    const QJsonObject root = document.object();
    if (!document.isObject() || root.value(Key::type).toString() != typeName)
        return {std::nullopt, SequenceTexts::tr("\"%1\" is not a sequence file.").arg(shown)};

    Reader read(shown);
    if (const QString twice = repeatedKey(text); !twice.isEmpty())
        read.fail(twice, SequenceTexts::tr("is given twice"));
    const int version = read.number(root.value(Key::version), Key::version, 1, 1'000'000);
    if (!read.failed() && version > fileVersion)
        return {std::nullopt,
                SequenceTexts::tr("\"%1\" is a sequence file of version %2, newer than this "
                                  "program reads (%3).")
                    .arg(shown)
                    .arg(version)
                    .arg(fileVersion)};
    SequenceFile file;
    const QJsonObject link = read.object(root.value(Key::link), Key::link);
    const QString format = link.value(Key::format).toString();
    if (format != QLatin1String("Quorvel") && format != QLatin1String("Mini SSC"))
        read.fail(Key::link + u'.' + Key::format,
                  SequenceTexts::tr("must be \"Quorvel\" or \"Mini SSC\""));
    file.link.nativeFormat = format == QLatin1String("Quorvel");
    // Mini SSC numbers the servos from the address up, and 255 is its sync byte.
    file.link.address =
        read.number(link.value(Key::address), Key::link + u'.' + Key::address, 0,
                    largestLinkAddress(file.link.nativeFormat), !file.link.nativeFormat);
    file.link.baud =
        read.number(link.value(Key::baudRate), Key::link + u'.' + Key::baudRate, 300, divisorBase);

    Sequence &s = file.sequence;
    const QJsonArray poses = read.array(root.value(Key::poses), Key::poses, 1, mostSequencePoses);
    for (qsizetype i = 0; i < poses.size() && !read.failed(); ++i) {
        const QString field = Key::poses + QStringLiteral("[%1]").arg(i);
        const QJsonObject pose = read.object(poses[i], field);
        Pose p;
        const QJsonValue poseName = pose.value(Key::name);
        if (!poseName.isString() || poseName.toString().size() > 200)
            read.fail(field + u'.' + Key::name,
                      SequenceTexts::tr("must be a text of at most 200 characters"));
        p.name = poseName.toString().toStdString();
        const QJsonArray positions = read.array(
            pose.value(Key::positions), field + u'.' + Key::positions, poseServos, poseServos);
        for (int servo = 0; servo < poseServos && !read.failed(); ++servo)
            p.positions[size_t(servo)] = std::uint8_t(read.number(
                positions[servo], field + u'.' + Key::positions + QStringLiteral("[%1]").arg(servo),
                0, highestPosition));
        s.poses.push_back(p);
    }
    s.home =
        read.number(root.value(Key::home), Key::home, 0, std::max<qsizetype>(poses.size() - 1, 0));
    const QJsonValue loop = root.value(Key::loop);
    s.rounds = loop.toString() == QLatin1String("forever")
                   ? 0
                   : read.number(loop, Key::loop, 1, mostRounds);
    const QJsonArray steps = read.array(root.value(Key::steps), Key::steps, 0, mostSequenceSteps);
    for (qsizetype i = 0; i < steps.size() && !read.failed(); ++i) {
        const QString field = Key::steps + QStringLiteral("[%1]").arg(i);
        const QJsonObject step = read.object(steps[i], field);
        Step t;
        t.pose = read.number(step.value(Key::pose), field + u'.' + Key::pose, 0,
                             std::max<qsizetype>(poses.size() - 1, 0));
        t.moveMs = read.number(step.value(Key::move), field + u'.' + Key::move, 0, longestTimeMs);
        t.holdMs = read.number(step.value(Key::hold), field + u'.' + Key::hold, 0, longestTimeMs);
        const QByteArray easing = step.value(Key::easing).toString().toUtf8();
        if (const std::optional<Easing> named = easingNamed(easing.toStdString()))
            t.easing = *named;
        else
            read.fail(field + u'.' + Key::easing,
                      SequenceTexts::tr("must be %1").arg(easingChoices()));
        s.steps.push_back(t);
    }
    if (read.failed())
        return {std::nullopt, read.refusal()};
    return {file, {}};
}

SequenceFileRead readSequenceFile(const QString &path)
{
    const FileRead read = readRegularFile(encodedPath(path), std::size_t(largestSequenceFile) + 1);
    const QString name = QDir::toNativeSeparators(path);
    if (read.failure == FileRead::Failure::none)
        return decodeSequenceFile(QByteArray(reinterpret_cast<const char *>(read.bytes.data()),
                                             qsizetype(read.bytes.size())),
                                  name);
    return {std::nullopt, Texts::readRefusal(path, read, true)};
}

QByteArray framesCsv(const Player &player)
{
    QByteArray csv("time_ms,s0,s1,s2,s3,s4,s5,s6,s7\n");
    forEachSlot(player, [&csv](std::int64_t slot, const Positions &targets) {
        csv += QByteArray::number(slotMicroseconds(slot) / 1000);
        for (const std::uint8_t p : targets)
            csv += ',' + QByteArray::number(p);
        csv += '\n';
    });
    return csv;
}

QByteArray framesHeader(const Player &player, const QString &source)
{
    QByteArray rows;
    std::int64_t count = 0;
    forEachSlot(player, [&](std::int64_t, const Positions &targets) {
        rows += "    {";
        for (int i = 0; i < poseServos; ++i)
            rows += (i ? ", " : "") + QByteArray::number(targets[size_t(i)]);
        rows += "},\n";
        ++count;
    });
    // The source's name in a comment: nothing in it may end the comment early.
    const QByteArray from = Texts::outside(source).toUtf8().replace("*/", "* /");
    return "// Servo targets at " + QByteArray::number(framesPerSecond) +
           " frames a second, made by corvantis-panel from " + from + ".\n" +
           "// Each row is one frame: the positions of servos 0 to 7, 0 to 254.\n"
           "#pragma once\n#include <stdint.h>\n\n"
           "#define CORVANTIS_FRAME_RATE " +
           QByteArray::number(framesPerSecond) + "\n#define CORVANTIS_FRAME_COUNT " +
           QByteArray::number(qint64(count)) + "\n\nconst uint8_t frames[][8] = {\n" + rows +
           "};\n";
}
