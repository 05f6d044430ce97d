#include "gui/config/LettersPanel.h"

#include "core/app/Program.h"
#include "gui/widgets/Controls.h"
#include "gui/widgets/FittedText.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

namespace ortolino {

namespace {

// Option 4 ("3 lettere") stands first, then 4, 5, 6 and more letters.
constexpr ControlDesign kDesign[] = {
    {"Frame1", -1, "Tipo di carattere", 8640, 120, 4140, 2640},
    {"minuscolo", -1, "minuscolo", 360, 420, 3420, 540},
    {"maiuscolo", -1, "MAIUSCOLO", 360, 1080, 3420, 540},
    {"corsivo", -1, "corsivo", 360, 1740, 3420, 540},
    {"Frame2", -1, "Parole con un massimo di", 240, 2880, 12540, 960},
    {"OptionQuanteLettere", 0, "4 lettere", 2760, 360, 2280, 480},
    {"OptionQuanteLettere", 1, "5 lettere", 5160, 360, 2280, 480},
    {"OptionQuanteLettere", 2, "6 lettere", 7560, 360, 2280, 480},
    {"OptionQuanteLettere", 3, "&più lettere", 9960, 360, 2280, 480},
    {"OptionQuanteLettere", 4, "3 lettere", 360, 360, 2280, 480},
    {"Frame3", -1, "Lettere attivate", 240, 3960, 12540, 4440},
    {"CommandSelezionaTutte", -1, "seleziona tutte", 360, 3420, 3000, 660},
    {"CommandDeselezionaTutte", -1, "deseleziona tutte", 3600, 3420, 3000, 660},
};

// The QWERTY rows of the letter boxes: first box of each row and where the
// row starts (each row set in like a keyboard's).
constexpr std::array<int, 3> kPrimaDellaRiga = {0, 10, 19};
constexpr std::array<int, 3> kRientroRiga = {360, 930, 1500};
constexpr int kPassoTasto = 1200;
constexpr double kDimensioneLettere = 18; // the letters' size when their boxes have room

} // namespace

LettersPanel::LettersPanel(FormConfigura& window, QWidget* page) : ConfigPanel(window, kDesign)
{
    caseFrame_ = make<FittedGroupBox>(page, "Frame1");
    cases_ = {make<QRadioButton>(caseFrame_, "minuscolo"),
              make<QRadioButton>(caseFrame_, "maiuscolo"),
              make<QRadioButton>(caseFrame_, "corsivo")};
    lengthFrame_ = make<FittedGroupBox>(page, "Frame2");
    auto* lengths = new QButtonGroup(this);
    for (int i = 0; i < kOpzioniQuanteLettere; ++i) {
        lengths_[static_cast<size_t>(i)] =
            make<QRadioButton>(lengthFrame_, "OptionQuanteLettere", i);
        lengths->addButton(lengths_[static_cast<size_t>(i)], i);
    }
    lettersFrame_ = make<FittedGroupBox>(page, "Frame3");
    createLetterBoxes(lettersFrame_);
    auto* all = make<QPushButton>(lettersFrame_, "CommandSelezionaTutte");
    auto* none = make<QPushButton>(lettersFrame_, "CommandDeselezionaTutte");

    for (QRadioButton* option : cases_) {
        // The option's design name is the case it stands for.
        connect(option, &QRadioButton::toggled, this, [this, option](bool checked) {
            if (checked)
                carattere_Click(option->objectName());
        });
    }
    connect(lengths, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked)
            state().MassimoLettere = massimoLetterePerOpzione(index);
    });
    connect(all, &QPushButton::clicked, this, [this] { impostaTutteLeLettere(true); });
    connect(none, &QPushButton::clicked, this, [this] { impostaTutteLeLettere(false); });
}

void LettersPanel::createLetterBoxes(QWidget* frame)
{
    for (int i = 0; i < kNumeroTasti; ++i) {
        int row = 2;
        while (i < kPrimaDellaRiga[static_cast<size_t>(row)])
            --row;
        const int column = i - kPrimaDellaRiga[static_cast<size_t>(row)];
        auto* box = named(new QCheckBox(frame), "Op_Lettere", i);
        box->setFont(designFont(QStringLiteral("Arial"), kDimensioneLettere, true));
        place(box, kRientroRiga[static_cast<size_t>(row)] + column * kPassoTasto, 420 + row * 960,
              1140, 840);
        letters_[static_cast<size_t>(i)] = box;
    }
    QStyle* style = letters_[0]->style();
    const int mark = style->pixelMetric(QStyle::PM_IndicatorWidth) +
                     style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + 4;
    lettersFit_ = new FontFitter(QList<QWidget*>(letters_.begin(), letters_.end()), mark, [this] {
        QStringList texts;
        for (const QCheckBox* box : letters_)
            texts << box->text();
        return texts;
    });
}

void LettersPanel::showLetters(FormConfigura::Lettere lettere)
{
    const ProgramState& s = state();
    if (lettere == FormConfigura::Lettere::DalloStato) {
        for (size_t i = 0; i < letters_.size(); ++i)
            letters_[i]->setChecked(s.LettereAttive[i]);
    }
    for (QRadioButton* option : cases_) {
        if (option->objectName() == s.CarattereLettere)
            option->setChecked(true);
    }
    for (size_t i = 0; i < letters_.size(); ++i) {
        const QString& lettera = s.LettereTastiera[i + 1];
        letters_[i]->setText(s.CarattereLettere == kMaiuscolo ? lettera.toUpper()
                                                              : lettera.toLower());
    }
    lettersFit_->fit(designFont(s.NomeFont, kDimensioneLettere, true));
    if (const std::optional<int> option = opzionePerMassimoLettere(s.MassimoLettere))
        lengths_[static_cast<size_t>(*option)]->setChecked(true);
}

QList<QWidget*> LettersPanel::colouredControls() const
{
    QList<QWidget*> controls = {caseFrame_, lengthFrame_, lettersFrame_};
    for (QRadioButton* option : cases_)
        controls << option;
    for (QRadioButton* option : lengths_)
        controls << option;
    for (QCheckBox* box : letters_)
        controls << box;
    return controls;
}

int LettersPanel::tickedCount() const
{
    int count = 0;
    for (const QCheckBox* box : letters_)
        count += box->isChecked() ? 1 : 0;
    return count;
}

void LettersPanel::confirm()
{
    for (size_t i = 0; i < letters_.size(); ++i)
        state().LettereAttive[i] = letters_[i]->isChecked();
}

void LettersPanel::carattere_Click(const QString& carattere)
{
    impostaCarattereLettere(state(), carattere);
    showWholeState();
}

void LettersPanel::impostaTutteLeLettere(bool attive)
{
    for (QCheckBox* box : letters_)
        box->setChecked(attive);
}

} // namespace ortolino
