#include "core/speech/CharacterFile.h"

#include "core/platform/FileNames.h"
#include "core/platform/TextFiles.h"

#include <algorithm>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace ortolino {

namespace {

// A format error at a line of the file.
struct FormatError
{
    int line = 0;
    QString what;
};

QStringList splitList(const QString& value, QChar separator)
{
    QStringList items;
    for (const QString& item : value.split(separator)) {
        if (!item.trimmed().isEmpty())
            items << item.trimmed();
    }
    return items;
}

std::optional<QList<int>> readNumbers(const QString& value, int count, int low, int high)
{
    const QStringList parts =
        value.split(QRegularExpression(QStringLiteral("[\\s,x]+")), Qt::SkipEmptyParts);
    if (parts.size() != count)
        return std::nullopt;
    QList<int> numbers;
    for (const QString& part : parts) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (!ok || n < low || n > high)
            return std::nullopt;
        numbers << n;
    }
    return numbers;
}

const char* const kMouthKeys[kMouthShapeCount] = {"mouth.rest", "mouth.closed", "mouth.small",
                                                  "mouth.open", "mouth.wide",   "mouth.round"};

// Reads the file's lines into the definition, section by section.
class Reader
{
public:
    explicit Reader(CharacterDefinition& definition) : d_(definition) {}

    std::optional<FormatError> readLine(int number, const QString& raw)
    {
        const QString line = raw.section(u';', 0, 0).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            return std::nullopt;
        if (line.startsWith(u'[') && line.endsWith(u']'))
            return openSection(number, line.mid(1, line.size() - 2).trimmed());
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            return FormatError{number, QStringLiteral("expected \"key = value\"")};
        const QString key = line.left(equals).trimmed().toLower();
        const QString value = line.mid(equals + 1).trimmed();
        if (!setValue(key, value))
            return FormatError{number, QStringLiteral("bad or unknown entry \"%1\"").arg(key)};
        return std::nullopt;
    }

    std::optional<QString> missing() const
    {
        if (!seenCharacter_ || d_.artworkPath.isEmpty() || d_.size.isEmpty())
            return QStringLiteral("[character] needs artwork and size");
        for (const char* slot : {"@pose", "@eyes", "@mouth"}) {
            if (d_.order.count(QString::fromLatin1(slot)) != 1)
                return QStringLiteral("order needs %1 once").arg(QString::fromLatin1(slot));
        }
        if (d_.eyesOpen.isEmpty() || d_.eyesClosed.isEmpty() || d_.poseRest.isEmpty())
            return QStringLiteral("[layers] needs eyes.open, eyes.closed and pose.rest");
        for (int i = 0; i < kMouthShapeCount; ++i) {
            if (d_.mouths[i].isEmpty())
                return QStringLiteral("[layers] needs %1").arg(QString::fromLatin1(kMouthKeys[i]));
        }
        for (auto it = d_.animations.begin(); it != d_.animations.end(); ++it) {
            if (it->frames.isEmpty())
                return QStringLiteral("animation %1 has no frames").arg(it.key());
        }
        return std::nullopt;
    }

    bool sawAnchor() const { return sawAnchor_; }

private:
    enum class Section
    {
        None,
        Character,
        Layers,
        Animation
    };

    std::optional<FormatError> openSection(int number, const QString& name)
    {
        const QString lower = name.toLower();
        if (lower == u"character") {
            section_ = Section::Character;
            seenCharacter_ = true;
        } else if (lower == u"layers") {
            section_ = Section::Layers;
        } else if (lower.startsWith(u"animation ") && !lower.mid(10).trimmed().isEmpty()) {
            section_ = Section::Animation;
            animation_ = lower.mid(10).trimmed();
            if (d_.animations.contains(animation_))
                return FormatError{number, QStringLiteral("animation %1 twice").arg(animation_)};
            d_.animations.insert(animation_, {});
        } else {
            return FormatError{number, QStringLiteral("unknown section [%1]").arg(name)};
        }
        return std::nullopt;
    }

    bool setValue(const QString& key, const QString& value)
    {
        switch (section_) {
        case Section::Character:
            return setCharacterValue(key, value);
        case Section::Layers:
            return setLayerValue(key, value);
        case Section::Animation:
            return setAnimationValue(d_.animations[animation_], key, value);
        case Section::None:
            return false;
        }
        return false;
    }

    bool setCharacterValue(const QString& key, const QString& value)
    {
        if (key == u"artwork") {
            d_.artworkPath = value;
            return !value.isEmpty();
        }
        if (key == u"size" || key == u"balloon-anchor") {
            const auto numbers = readNumbers(value, 2, key == u"size" ? 16 : -4096, 4096);
            if (!numbers)
                return false;
            if (key == u"size") {
                d_.size = QSize((*numbers)[0], (*numbers)[1]);
            } else {
                d_.balloonAnchor = QPoint((*numbers)[0], (*numbers)[1]);
                sawAnchor_ = true;
            }
            return true;
        }
        if (key == u"blink-every" || key == u"idle-every") {
            const auto numbers = readNumbers(value, 1, 0, 600000);
            if (numbers)
                (key == u"blink-every" ? d_.blinkEveryMs : d_.idleEveryMs) = (*numbers)[0];
            return numbers.has_value();
        }
        return false;
    }

    bool setLayerValue(const QString& key, const QString& value)
    {
        QStringList* target = nullptr;
        if (key == u"order") {
            d_.order = splitList(value, u',');
            return !d_.order.isEmpty();
        }
        if (key == u"eyes.open")
            target = &d_.eyesOpen;
        else if (key == u"eyes.closed")
            target = &d_.eyesClosed;
        else if (key == u"pose.rest")
            target = &d_.poseRest;
        for (int i = 0; i < kMouthShapeCount && target == nullptr; ++i) {
            if (key == QLatin1String(kMouthKeys[i]))
                target = &d_.mouths[i];
        }
        if (target == nullptr)
            return false;
        *target = splitList(value, u'+');
        return !target->isEmpty();
    }

    static bool setAnimationValue(CharacterAnimation& animation, const QString& key,
                                  const QString& value)
    {
        if (key == u"frames") {
            animation.frames.clear();
            for (const QString& frame : splitList(value, u','))
                animation.frames << splitList(frame, u'+');
            return !animation.frames.isEmpty();
        }
        if (key == u"frame-ms" || key == u"loops") {
            const bool isFrame = key == u"frame-ms";
            const auto numbers = readNumbers(value, 1, isFrame ? 20 : 1, isFrame ? 5000 : 50);
            if (numbers)
                (isFrame ? animation.frameMs : animation.loops) = (*numbers)[0];
            return numbers.has_value();
        }
        return false;
    }

    CharacterDefinition& d_;
    Section section_ = Section::None;
    QString animation_;
    bool seenCharacter_ = false;
    bool sawAnchor_ = false;
};

} // namespace

QStringList CharacterDefinition::elementIds() const
{
    QStringList ids;
    const auto add = [&](const QStringList& list) {
        for (const QString& id : list) {
            if (!id.startsWith(u'@') && !ids.contains(id))
                ids << id;
        }
    };
    add(order);
    add(eyesOpen);
    add(eyesClosed);
    for (const QStringList& mouth : mouths)
        add(mouth);
    add(poseRest);
    for (const CharacterAnimation& animation : animations) {
        for (const QStringList& frame : animation.frames)
            add(frame);
    }
    return ids;
}

std::optional<CharacterDefinition> parseCharacterText(const QByteArray& bytes, QString* error)
{
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    CharacterDefinition definition;
    Reader reader(definition);
    const QStringList lines = splitLines(decodeText(bytes));
    for (int i = 0; i < lines.size(); ++i) {
        if (const auto problem = reader.readLine(i + 1, lines[i]))
            return fail(QStringLiteral("line %1: %2").arg(problem->line).arg(problem->what));
    }
    if (const auto what = reader.missing())
        return fail(*what);
    if (!reader.sawAnchor())
        definition.balloonAnchor =
            QPoint(definition.size.width() / 2, definition.size.height() / 6);
    const int side = std::max(definition.size.width(), definition.size.height());
    if (side > kCharacterMaxSide) {
        const double scale = double(kCharacterMaxSide) / side;
        definition.size = (QSizeF(definition.size) * scale).toSize().expandedTo(QSize(1, 1));
        definition.balloonAnchor = (QPointF(definition.balloonAnchor) * scale).toPoint();
    }
    return definition;
}

std::optional<CharacterDefinition> readCharacterFile(const QString& path, QString* error)
{
    const QString fileName = QFileInfo(path).fileName();
    const auto fail = [&](const QString& why) {
        if (error)
            *error = fileName + QStringLiteral(": ") + why;
        return std::nullopt;
    };
    const std::optional<QByteArray> bytes = readFileBytes(path, kCharacterFileMaxBytes);
    if (!bytes)
        return fail(QStringLiteral("cannot be read"));
    QString why;
    std::optional<CharacterDefinition> definition = parseCharacterText(*bytes, &why);
    if (!definition)
        return fail(why);
    definition->name = characterDisplayName(QFileInfo(path).completeBaseName());
    definition->artworkPath = QFileInfo(path).dir().filePath(definition->artworkPath);
    if (!QFileInfo(definition->artworkPath).isFile())
        return fail(QStringLiteral("artwork %1 is missing").arg(definition->artworkPath));
    return definition;
}

QString characterFileFor(const QString& folder, const QString& name)
{
    if (name.trimmed().isEmpty() || name.contains(u'/'))
        return {};
    const QString path =
        resolveCaseInsensitive(QDir(folder).filePath(name.trimmed() + characterFileExtension()));
    return QFileInfo(path).isFile() ? path : QString();
}

QStringList characterNames(const QString& folder)
{
    QStringList names;
    for (const QFileInfo& file :
         QDir(folder).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase)) {
        if (hasExtension(file.fileName(), characterFileExtension()))
            names << characterDisplayName(file.completeBaseName());
    }
    return names;
}

QString characterDisplayName(const QString& baseName)
{
    QString name = baseName.toLower();
    bool wordStart = true;
    for (QChar& c : name) {
        if (wordStart && c.isLetter())
            c = c.toUpper();
        wordStart = c.isSpace();
    }
    return name;
}

} // namespace ortolino
