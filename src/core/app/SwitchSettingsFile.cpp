#include "core/app/SwitchSettingsFile.h"

#include "core/app/ProgramState.h"
#include "core/lang/IniFile.h"
#include "core/platform/Environment.h"
#include "core/platform/FileNames.h"
#include "core/platform/TextFiles.h"

#include <algorithm>
#include <cmath>
#include <QDir>
#include <QFileInfo>

namespace ortolino {

namespace {

const QString kSection = QStringLiteral("accesso");

// One line per setting: its key, how it is written and how it is read back
// into its range (a value that reads as nothing leaves the default).
class Fields
{
public:
    explicit Fields(const IniDocument* in) : in_(in) {}

    QString text() const { return out_; }

    void yesNo(const char* key, bool& value)
    {
        if (in_) {
            const QString read = raw(key);
            if (read == QLatin1String("1") || read == QLatin1String("0"))
                value = read == QLatin1String("1");
        } else {
            write(key, QString::number(value ? 1 : 0));
        }
    }

    void whole(const char* key, int& value, int minimum, int maximum, int step = 1)
    {
        if (in_) {
            bool ok = false;
            const double read = raw(key).toDouble(&ok);
            if (ok && std::isfinite(read)) {
                const double clamped = std::clamp(read, double(minimum), double(maximum));
                value = static_cast<int>(std::lround(clamped / step)) * step;
            }
        } else {
            write(key, QString::number(value));
        }
    }

    void halves(const char* key, double& value, double minimum, double maximum)
    {
        if (in_) {
            bool ok = false;
            const double read = raw(key).toDouble(&ok);
            if (ok && std::isfinite(read))
                value = std::round(std::clamp(read, minimum, maximum) * 2) / 2;
        } else {
            write(key, QString::number(value, 'g', 4));
        }
    }

    // A colour (&HBBGGRR as a number) or -1 for "as the marked key".
    void colour(const char* key, Colore& value)
    {
        if (in_) {
            bool ok = false;
            const qlonglong read = raw(key).toLongLong(&ok);
            if (ok && (read == -1 || (read >= 0 && read <= 0xFFFFFF)))
                value = static_cast<Colore>(read);
        } else {
            write(key, QString::number(static_cast<qlonglong>(value)));
        }
    }

    template <typename Enum>
    void choice(const char* key, Enum& value, std::initializer_list<const char*> names)
    {
        if (in_) {
            const QString read = raw(key);
            int index = 0;
            for (const char* name : names) {
                if (read == QLatin1String(name))
                    value = static_cast<Enum>(index);
                ++index;
            }
        } else {
            write(key, QLatin1String(*(names.begin() + static_cast<int>(value))));
        }
    }

private:
    QString raw(const char* key) const
    {
        return in_->value(kSection, QLatin1String(key)).trimmed();
    }
    void write(const char* key, const QString& value)
    {
        out_ += QLatin1String(key) + QLatin1Char('=') + value + QLatin1String("\r\n");
    }

    const IniDocument* in_;
    QString out_;
};

void allFields(Fields& f, SwitchSettings& s)
{
    f.yesNo("auditory_scanning", s.auditoryScanning);
    f.choice("auditory_style", s.auditoryStyle, {"name", "cue"});
    f.halves("first_item_steps", s.firstItemSteps, 1, kFirstItemStepsMax);
    f.whole("loops_before_pause", s.loopsBeforePause, 0, kLoopsBeforePauseMax);
    f.whole("acceptance_ms", s.acceptanceMs, 0, kAcceptanceMsMax, kAcceptanceStepMs);
    f.whole("ignore_after_choice_ms", s.ignoreAfterChoiceMs, 0, kIgnoreAfterChoiceMsMax,
            kAcceptanceStepMs);
    f.colour("highlight_colour", s.highlightColour);
    f.yesNo("enlarge_highlighted", s.enlargeHighlighted);
    f.yesNo("back_to_menu_target", s.backToMenuTarget);
    f.yesNo("confirm_exit", s.confirmExit);
    f.yesNo("compact_keyboard", s.compactKeyboard);
    f.choice("compact_order", s.compactOrder, {"alphabetical", "frequency"});
    f.yesNo("celebration", s.celebration);
}

} // namespace

QString switchSettingsPath(const Environment& env, const QString& profilePath)
{
    return env.cartellaAccesso() + QFileInfo(profilePath).fileName();
}

QByteArray switchSettingsText(const SwitchSettings& settings)
{
    Fields out(nullptr);
    SwitchSettings copy = settings;
    allFields(out, copy);
    return (QLatin1Char('[') + kSection + QLatin1String("]\r\n") + out.text()).toUtf8();
}

SwitchSettings switchSettingsFromText(const QByteArray& bytes)
{
    const IniDocument document = IniDocument::fromBytes(bytes);
    Fields in(&document);
    SwitchSettings settings;
    allFields(in, settings);
    return settings;
}

SwitchSettingsRead readSwitchSettings(SwitchSettings& settings, const QString& path)
{
    settings = SwitchSettings{};
    const QString onDisk = resolveCaseInsensitive(path);
    if (!QFileInfo::exists(onDisk) && !QFileInfo(onDisk).isSymLink())
        return SwitchSettingsRead::Missing;
    const std::optional<QByteArray> bytes = readFileBytes(onDisk, kSwitchSettingsMaxBytes);
    if (!bytes || bytes->contains('\0'))
        return SwitchSettingsRead::Unreadable;
    settings = switchSettingsFromText(*bytes);
    return SwitchSettingsRead::Read;
}

bool writeSwitchSettings(const SwitchSettings& settings, const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    return writeFileUnlessSame(resolveCaseInsensitive(path), switchSettingsText(settings));
}

} // namespace ortolino
