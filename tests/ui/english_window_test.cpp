// SPDX-License-Identifier: GPL-3.0-or-later
// The window in English: which language the locale asks for, no Chinese left in any view a
// user reaches (face, editor, notes, ratio helper with each page, a chart, the buy list, the
// print question), every English text fitting the fixed layout the Chinese one was drawn for,
// and the pictures with words on them (banners, computing notice, the printout's logo) shown in
// the window's language.

#include "window_fixture.h"

#include "logo_likeness.h"
#include "tool_output.h"

#include "draw/localized_picture.h"
#include "ui/command_button.h"
#include "ui/picture_label.h"
#include "ui/ratio_helper.h"
#include "ui/suggestion_list.h"
#include "ui/window_language.h"

#include <QAbstractItemModel>
#include <QDirIterator>
#include <QFile>
#include <QHeaderView>
#include <QMap>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QXmlStreamReader>
#include <map>

using namespace gearsel;
using namespace gearsel::testing;

namespace {

// Han characters, CJK punctuation (、。「」) and full-width forms (：（）).
bool holdsChinese(const QString& text) {
    static const QRegularExpression chinese(
        QStringLiteral("[\\x{2E80}-\\x{9FFF}\\x{F900}-\\x{FAFF}\\x{FE30}-\\x{FE4F}\\x{FF00}-"
                       "\\x{FFEF}]"));
    return chinese.match(text).hasMatch();
}

// Fails the running test when `chinese` (texts found with Chinese in them) is not empty,
// listing each once: QtTest cuts a long failure message, so they go to the log first.
void reportChinese(QStringList chinese) {
    chinese.removeDuplicates();
    for (const QString& text : chinese) {
        qInfo("Chinese: %s", qPrintable(text));
    }
    QVERIFY2(chinese.isEmpty(),
             qPrintable(QStringLiteral("%1 texts hold Chinese").arg(chinese.size())));
}

// A widget's place in the window by the names of it and its parents, to pair a widget of the
// Chinese window with the same one of the English window.
QString pathOf(const QWidget* widget) {
    QString path;
    for (const QWidget* w = widget; w != nullptr && !w->isWindow(); w = w->parentWidget()) {
        path.prepend(QLatin1Char('/') + w->objectName());
    }
    return path;
}

// Every text a user can see or hear from a visible widget: captions, tooltips, accessible
// names and descriptions, placeholders, entries, tab titles, and the headings, cells and
// tooltips of tables. Each comes with where it was found.
QStringList textsOf(QWidget* top) {
    QStringList texts;
    const auto add = [&](const QWidget* w, const QString& what, const QString& text) {
        if (!text.isEmpty()) {
            texts << pathOf(w) + QLatin1Char(' ') + what + QStringLiteral(": ") + text;
        }
    };
    add(top, QStringLiteral("title"), top->windowTitle());
    QList<QWidget*> widgets = top->findChildren<QWidget*>();
    widgets.prepend(top);
    for (QWidget* w : widgets) {
        if (!w->isVisible()) {
            continue;
        }
        add(w, QStringLiteral("tooltip"), w->toolTip());
        add(w, QStringLiteral("name"), w->accessibleName());
        add(w, QStringLiteral("description"), w->accessibleDescription());
        if (auto* label = qobject_cast<QLabel*>(w)) {
            add(w, QStringLiteral("text"), label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            add(w, QStringLiteral("text"), button->text());
        } else if (auto* field = qobject_cast<QLineEdit*>(w)) {
            add(w, QStringLiteral("text"), field->text());
            add(w, QStringLiteral("placeholder"), field->placeholderText());
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            add(w, QStringLiteral("title"), box->title());
        } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) {
                add(w, QStringLiteral("tab"), tabs->tabText(i));
                add(w, QStringLiteral("tab tooltip"), tabs->tabToolTip(i));
            }
        } else if (auto* view = qobject_cast<QTableView*>(w)) {
            const QAbstractItemModel* model = view->model();
            for (const int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)}) {
                for (int col = 0; col < model->columnCount(); ++col) {
                    add(w, QStringLiteral("heading"),
                        model->headerData(col, Qt::Horizontal, role).toString());
                    for (int row = 0; row < model->rowCount(); ++row) {
                        add(w, QStringLiteral("cell"),
                            model->index(row, col).data(role).toString());
                    }
                }
                for (int row = 0; row < model->rowCount(); ++row) {
                    add(w, QStringLiteral("row heading"),
                        model->headerData(row, Qt::Vertical, role).toString());
                }
            }
        }
    }
    return texts;
}

// Every view of the window a user reaches, each with the widget that holds it, opened one
// after another from the keyboard and visited by `visit` while it is open.
void walkEveryView(WindowFixture& fixture,
                   const std::function<void(const QString&, QWidget*)>& visit) {
    QWidget* face = fixture.face().Ped0;
    visit(QStringLiteral("face"), &fixture.window());
    pressKey(face, Qt::Key_E, Qt::ControlModifier);
    QVERIFY(fixture.editor().panel()->isVisible());
    visit(QStringLiteral("editor"), &fixture.window());
    pressKey(face, Qt::Key_Escape);
    pressKey(face, Qt::Key_F1);
    QVERIFY(fixture.face().PedHelp->isVisible());
    visit(QStringLiteral("notes"), &fixture.window());
    pressKey(face, Qt::Key_Escape);

    pressKey(face, Qt::Key_R, Qt::ControlModifier);
    RatioHelper* helper = fixture.ratioHelper();
    QVERIFY(helper != nullptr && QTest::qWaitForWindowActive(helper));
    auto* pages = helper->findChild<QTabWidget*>(QStringLiteral("pages"));
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        visit(QStringLiteral("helper page %1").arg(page), helper);
    }
    typeInto(constantField(*helper, ConstantKey::IndexConstant), QStringLiteral("24"));
    QCOMPARE(workOutHobbingChart(*helper), 6);
    visit(QStringLiteral("chart"), helper);
    pressKey(helper, Qt::Key_Escape);
    fixture.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture.window()));

    pressKey(face, Qt::Key_B, Qt::ControlModifier);
    SuggestionList* list = fixture.suggestionList();
    QVERIFY(list != nullptr && QTest::qWaitForWindowActive(list));
    visit(QStringLiteral("buy list"), list);
    pressKey(list, Qt::Key_Escape);
    fixture.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture.window()));
}

// A widget that shows a text of its own on a fixed face: a caption, a command's caption, a
// check box's text.
bool showsText(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        return !label->text().isEmpty();
    }
    if (const auto* command = qobject_cast<const CommandButton*>(w)) {
        return command->picture().isEmpty() && !command->text().isEmpty();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        return !button->text().isEmpty();
    }
    return false;
}

// A control that a text running over it would hide: text, fields, boxes, tables, commands.
bool isControl(const QWidget* w) {
    return showsText(w) || qobject_cast<const QAbstractButton*>(w) != nullptr ||
           qobject_cast<const QLineEdit*>(w) != nullptr ||
           qobject_cast<const QComboBox*>(w) != nullptr ||
           qobject_cast<const QAbstractItemView*>(w) != nullptr;
}

// A control on a fixed face (one without a layout): where it lies and where its face lies, in
// the coordinates of the view's window.
struct Place {
    QRect control;
    QRect face;
    bool fits; // as wide as its text needs
};

// Every visible named control on a fixed face of a view, by path.
std::map<QString, Place> controlPlaces(QWidget* top) {
    std::map<QString, Place> places;
    for (QWidget* w : top->findChildren<QWidget*>()) {
        QWidget* face = w->parentWidget();
        if (w->isVisible() && !w->objectName().isEmpty() && isControl(w) &&
            face->layout() == nullptr) {
            places[pathOf(w)] = {QRect(w->mapTo(top, QPoint(0, 0)), w->size()),
                                 QRect(face->mapTo(top, QPoint(0, 0)), face->size()),
                                 !showsText(w) || w->width() >= w->sizeHint().width()};
        }
    }
    return places;
}

// Whether each heading of each visible table fits its column (with the margins the style
// draws beside it), by the table's path and the heading's text in the language shown.
std::map<QString, bool> headingFits(QWidget* top) {
    std::map<QString, bool> fits;
    for (QTableView* view : top->findChildren<QTableView*>()) {
        const QHeaderView* header = view->horizontalHeader();
        if (!view->isVisible() || !header->isVisible()) {
            continue;
        }
        const int margins =
            2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int col = 0; col < header->count(); ++col) {
            const QString heading = view->model()->headerData(col, Qt::Horizontal).toString();
            if (!header->isSectionHidden(col)) {
                fits[pathOf(view) + QStringLiteral(" column %1").arg(col)] =
                    header->fontMetrics().horizontalAdvance(heading) + margins <=
                    header->sectionSize(col);
            }
        }
    }
    return fits;
}

// What a picture says and how large it is drawn: the words of its text elements, one after
// another, and its size as the file gives it.
struct PictureWords {
    QString words;
    QString size;
};

PictureWords wordsOf(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        return {QStringLiteral("(cannot read %1)").arg(resource), {}};
    }
    PictureWords picture;
    QXmlStreamReader svg(&file);
    while (!svg.atEnd()) {
        if (svg.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (svg.name() == QLatin1String("svg")) {
            const QXmlStreamAttributes a = svg.attributes();
            picture.size = QStringList({a.value(QLatin1String("width")).toString(),
                                        a.value(QLatin1String("height")).toString(),
                                        a.value(QLatin1String("viewBox")).toString()})
                               .join(QLatin1Char(' '));
        } else if (svg.name() == QLatin1String("text")) {
            picture.words += svg.readElementText() + QLatin1Char(' ');
        }
    }
    picture.words = picture.words.trimmed();
    return picture;
}

// The words of the picture a picture label shows.
QString wordsShownBy(QWidget* label) {
    auto* picture = qobject_cast<PictureLabel*>(label);
    return picture == nullptr ? QStringLiteral("(no picture label)")
                              : wordsOf(picture->picture()).words;
}

// Whether `words` say `phrase`, once or more (a banner draws its words twice, as their shadow
// and over it; a Chinese one glyph by glyph), and nothing else.
bool saysOnly(QString words, const QString& phrase) {
    words.remove(QLatin1Char(' '));
    return !words.isEmpty() && words.split(phrase, Qt::SkipEmptyParts).isEmpty();
}

} // namespace

class EnglishWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void languageFollowsTheLocale();
    void noChineseInAnyView();
    void englishFitsTheLayout();
    void printedPagesInEnglish();
    void everyPictureWithWordsHasItsEnglish();
    void picturesInTheWindowsLanguage();
    void refusedSearchIsASentence();
    void cleanup();
};

void EnglishWindowTest::cleanup() {
    installWindowLanguage(Language::Chinese);
}

void EnglishWindowTest::languageFollowsTheLocale() {
    using Variables = QMap<QByteArray, QByteArray>;
    const struct {
        const char* name;
        Variables variables;
        Language expected;
    } rows[] = {
        {"nothing set: the program's Chinese", {}, Language::Chinese},
        {"C locale", {{"LANG", "C"}, {"LC_ALL", "C"}}, Language::Chinese},
        {"C.UTF-8", {{"LANG", "C.UTF-8"}}, Language::Chinese},
        {"POSIX", {{"LC_ALL", "POSIX"}}, Language::Chinese},
        {"Chinese", {{"LANG", "zh_CN.UTF-8"}}, Language::Chinese},
        {"Chinese of Taiwan", {{"LANG", "zh_TW.UTF-8"}}, Language::Chinese},
        {"American English", {{"LANG", "en_US.UTF-8"}}, Language::English},
        {"bare en", {{"LANG", "en"}}, Language::English},
        {"English with a modifier", {{"LANG", "en@shaw"}}, Language::English},
        {"French has no texts: Chinese", {{"LANG", "fr_FR.UTF-8"}}, Language::Chinese},
        {"LC_ALL wins over LANG", {{"LANG", "zh_CN"}, {"LC_ALL", "en_GB"}}, Language::English},
        {"LC_MESSAGES wins over LANG",
         {{"LANG", "en_US"}, {"LC_MESSAGES", "zh_CN"}},
         Language::Chinese},
        {"LC_ALL wins over LC_MESSAGES",
         {{"LC_MESSAGES", "zh_CN"}, {"LC_ALL", "en_US"}},
         Language::English},
        {"an empty LC_ALL counts as unset", {{"LC_ALL", ""}, {"LANG", "en_US"}}, Language::English},
        {"LANGUAGE wins over the locale",
         {{"LANGUAGE", "en"}, {"LANG", "zh_CN.UTF-8"}},
         Language::English},
        {"LANGUAGE under the C locale", {{"LANGUAGE", "en"}, {"LANG", "C"}}, Language::English},
        {"LANGUAGE's first entry we have",
         {{"LANGUAGE", "fr:de:en_GB:zh"}, {"LANG", "fr_FR"}},
         Language::English},
        {"LANGUAGE prefers Chinese to English",
         {{"LANGUAGE", "zh_CN:en"}, {"LANG", "en_US"}},
         Language::Chinese},
        {"LANGUAGE without a language of ours leaves it to the locale",
         {{"LANGUAGE", "fr:de"}, {"LANG", "en_US"}},
         Language::English},
        {"an empty entry in LANGUAGE", {{"LANGUAGE", ":en"}}, Language::English},
        {"a language that only starts like en", {{"LANG", "eo"}}, Language::Chinese},
    };
    for (const auto& row : rows) {
        const auto variable = [&](const char* name) -> const char* {
            const auto found = row.variables.find(name);
            return found == row.variables.end() ? nullptr : found->constData();
        };
        QVERIFY2(languageFromLocale(variable) == row.expected, row.name);
    }
}

void EnglishWindowTest::noChineseInAnyView() {
    QVERIFY(installWindowLanguage(Language::English));
    // Machine names are the user's data, not the window's texts: these are plain ASCII.
    WindowFixture fixture({{"M1", 15, fourteenGears()}, {"M2", 15, {20, 30, 40}}});
    QVERIFY(fixture.showAndActivate());
    QStringList chinese;
    int texts = 0;
    walkEveryView(fixture, [&](const QString& view, QWidget* top) {
        for (const QString& text : textsOf(top)) {
            ++texts;
            if (holdsChinese(text)) {
                chinese << view + QStringLiteral(" ") + text;
            }
        }
    });
    // The print question, asked and declined.
    fixture.prompter().yesNoAnswers.push_back(false);
    pressKey(fixture.face().Ped0, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(fixture.prompter().asked.size(), 1);
    for (const QString& question : fixture.prompter().asked) {
        if (holdsChinese(question)) {
            chinese << QStringLiteral("print question: ") + question;
        }
    }
    reportChinese(chinese);
    QVERIFY2(texts > 400, qPrintable(QString::number(texts))); // the walk saw the views
}

void EnglishWindowTest::englishFitsTheLayout() {
    // The same views in both languages: where the Chinese layout puts every control.
    std::map<QString, std::map<QString, Place>> chinesePlaces;
    std::map<QString, std::map<QString, bool>> chineseHeadings;
    {
        WindowFixture fixture({{"M1", 15, fourteenGears()}});
        QVERIFY(fixture.showAndActivate());
        walkEveryView(fixture, [&](const QString& view, QWidget* top) {
            chinesePlaces[view] = controlPlaces(top);
            chineseHeadings[view] = headingFits(top);
        });
    }
    QVERIFY(installWindowLanguage(Language::English));
    WindowFixture fixture({{"M1", 15, fourteenGears()}});
    QVERIFY(fixture.showAndActivate());
    QStringList problems;
    walkEveryView(fixture, [&](const QString& view, QWidget* top) {
        const std::map<QString, Place>& chinese = chinesePlaces[view];
        const std::map<QString, Place> english = controlPlaces(top);
        // Every heading that fits its column in Chinese fits it in English.
        const std::map<QString, bool> headingsNow = headingFits(top);
        for (const auto& [heading, fitted] : chineseHeadings[view]) {
            const auto now = headingsNow.find(heading);
            if (fitted && now != headingsNow.end() && !now->second) {
                problems << view + QLatin1Char(' ') + heading + QStringLiteral(" is cut");
            }
        }
        // On the fixed faces, a text that grew covers nothing that the Chinese one left free,
        // and stays on the face it is drawn on.
        for (auto a = english.begin(); a != english.end(); ++a) {
            const auto before = chinese.find(a->first);
            if (before == chinese.end()) {
                continue;
            }
            const Place& now = a->second;
            // A text is cut by nothing: a control as wide as its Chinese text needs is as
            // wide as its English one needs. (Three-digit tooth counts are a pixel too wide
            // for their boxes in both.)
            if (before->second.fits && !now.fits) {
                problems << view + QLatin1Char(' ') + a->first + QStringLiteral(" cuts its text");
            }
            if (now.face.contains(before->second.control) && !now.face.contains(now.control)) {
                problems << view + QLatin1Char(' ') + a->first +
                                QStringLiteral(" runs off its face");
            }
            for (auto b = std::next(a); b != english.end(); ++b) {
                const auto otherBefore = chinese.find(b->first);
                const bool siblings = a->first.section(QLatin1Char('/'), 0, -2) ==
                                      b->first.section(QLatin1Char('/'), 0, -2);
                if (siblings && otherBefore != chinese.end() &&
                    !before->second.control.intersects(otherBefore->second.control) &&
                    now.control.intersects(b->second.control)) {
                    problems << view + QLatin1Char(' ') + a->first + QStringLiteral(" covers ") +
                                    b->first;
                }
            }
        }
    });
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
}

void EnglishWindowTest::printedPagesInEnglish() {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        QSKIP("a printer is installed here: the pages would be printed, not offered as PDF files");
    }
    QVERIFY(installWindowLanguage(Language::English));
    WindowFixture fixture({{"M1", 15, fourteenGears()}});
    QVERIFY(fixture.showAndActivate());
    FakePrompter& prompter = fixture.prompter();
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("list.pdf"));
    const QString chart = dir.filePath(QStringLiteral("chart.pdf"));
    // Print, yes; no printer, so the PDF file is offered: yes, and where.
    prompter.yesNoAnswers = {true, true, true};
    prompter.savePaths = {list, chart};
    pressKey(fixture.face().Ped0, Qt::Key_P, Qt::ControlModifier);
    pressKey(fixture.face().Ped0, Qt::Key_R, Qt::ControlModifier);
    RatioHelper* helper = fixture.ratioHelper();
    QVERIFY(helper != nullptr && QTest::qWaitForWindowActive(helper));
    // Without K the chart is refused in a sentence of its own, as a message box shows it.
    const qsizetype toldBefore = prompter.informed.size(); // the list saved as a PDF file
    QCOMPARE(workOutHobbingChart(*helper), 0);
    QCOMPARE(prompter.informed.size(), toldBefore + 1);
    const QString refusal = prompter.informed.back();
    QVERIFY2(refusal.front().isUpper() && refusal.endsWith(QLatin1Char('.')), qPrintable(refusal));
    typeInto(constantField(*helper, ConstantKey::IndexConstant), QStringLiteral("24"));
    QCOMPARE(workOutHobbingChart(*helper), 6);
    clickOn(helper->findChild<QPushButton*>(QStringLiteral("print")));
    QCOMPARE(prompter.savePaths.size(), 0U);

    QStringList texts = prompter.asked + prompter.informed;
    for (const QString& pdf : {list, chart}) {
        const QString text = test::toolOutput(QStringLiteral("pdftotext"), {pdf, "-"});
        QVERIFY2(!text.simplified().isEmpty(), qPrintable(pdf));
        texts << text.split(QLatin1Char('\n'));
    }
    QStringList chinese;
    for (const QString& text : texts) {
        if (holdsChinese(text)) {
            chinese << text;
        }
    }
    reportChinese(chinese);
}

void EnglishWindowTest::everyPictureWithWordsHasItsEnglish() {
    // The window's pictures and the printout's logo, each looked up as the window does.
    QStringList worded;
    for (const QString& folder : {QStringLiteral(":/pictures"), QStringLiteral(":/print")}) {
        QDirIterator pictures(folder, {QStringLiteral("*.svg")}, QDir::Files);
        while (pictures.hasNext()) {
            const QString chinese = pictures.next();
            const PictureWords words = wordsOf(chinese);
            const QString english = pictureFor(chinese, Language::English);
            QCOMPARE(pictureFor(chinese, Language::Chinese), chinese);
            if (!holdsChinese(words.words)) {
                // Without Chinese words (none, or the Z1 to Z4 of the train): one for both.
                QCOMPARE(english, chinese);
                continue;
            }
            worded << chinese;
            QVERIFY2(english != chinese, qPrintable(chinese + " has no English"));
            const PictureWords translated = wordsOf(english);
            QVERIFY2(!translated.words.isEmpty() && !holdsChinese(translated.words),
                     qPrintable(english + ": " + translated.words));
            // Drawn in the same place as the Chinese one, at the same size.
            QCOMPARE(translated.size, words.size);
        }
    }
    worded.sort();
    // The seven banners, the computing notice and the logo, which the printout carries.
    QCOMPARE(worded, QStringList({":/pictures/banner0.svg", ":/pictures/banner1.svg",
                                  ":/pictures/banner2.svg", ":/pictures/banner3.svg",
                                  ":/pictures/banner4.svg", ":/pictures/banner5.svg",
                                  ":/pictures/banner6.svg", ":/pictures/computing.svg",
                                  ":/pictures/logo.svg", ":/print/logo.svg"}));
}

void EnglishWindowTest::picturesInTheWindowsLanguage() {
    const struct {
        const char* name;
        Language language;
        QString banner;
        QString computing;
    } rows[] = {
        {"Chinese", Language::Chinese, QStringLiteral("挂轮选配"),
         QStringLiteral("正在计算，请稍候……")},
        {"English", Language::English, QStringLiteral("GearSel"),
         QStringLiteral("Computing,pleasewait…")},
    };
    for (const auto& row : rows) {
        QVERIFY(installWindowLanguage(row.language));
        WindowFixture fixture({{"M1", 15, fourteenGears()}});
        QVERIFY(fixture.showAndActivate());
        FaceControls& face = fixture.face();
        QVERIFY2(saysOnly(wordsShownBy(face.ImgZZJS), row.computing), row.name);
        // The printed list, offered as a PDF file where no printer is installed, read back as
        // an image.
        if (QPrinterInfo::availablePrinters().isEmpty()) {
            QTemporaryDir dir;
            const QString pdf = dir.filePath(QStringLiteral("list.pdf"));
            fixture.prompter().yesNoAnswers = {true, true};
            fixture.prompter().savePaths = {pdf};
            pressKey(face.Ped0, Qt::Key_P, Qt::ControlModifier);
            const QString png = dir.filePath(QStringLiteral("list"));
            test::toolOutput(QStringLiteral("pdftoppm"),
                             {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-png"),
                              QStringLiteral("-singlefile"), pdf, png});
            const QImage page(png + QStringLiteral(".png"));
            QVERIFY2(!page.isNull(), row.name);
            const QString chinese = QStringLiteral(":/print/logo.svg");
            const QString english = QStringLiteral(":/print/en/logo.svg");
            const bool inEnglish = row.language == Language::English;
            QVERIFY2(test::carriesLogo(page, inEnglish ? english : chinese,
                                       inEnglish ? chinese : english),
                     row.name);
        }
        // A click shows another banner, picked at random: each of them in the same language.
        for (int click = 0; click < 12; ++click) {
            QVERIFY2(saysOnly(wordsShownBy(face.ImgBTZ), row.banner),
                     qPrintable(QString::fromLatin1(row.name) + ": " + wordsShownBy(face.ImgBTZ)));
            clickOn(face.ImgBTZ);
        }
    }
}

void EnglishWindowTest::refusedSearchIsASentence() {
    // The search's refusal is the command line's phrase; shown on its own in a message box it
    // becomes a sentence, while after a caption ("The selection was not made: ") it stays as
    // it is.
    QVERIFY(installWindowLanguage(Language::English));
    WindowFixture fixture({{"M1", 15, fourteenGears()}});
    QVERIFY(fixture.showAndActivate());
    const QString expected = QStringLiteral(
        "The required ratio is too close to 0 (below 2.2e-308): the relative error, which "
        "divides by it, would be beyond the range of numbers.");
    // A ratio so close to 0 that no relative error can be worked out, searched before the
    // field is left; then the gear to buy asked for with it.
    typeInto(fixture.face().TSb, QStringLiteral("1e-320"));
    pressKey(fixture.face().TSb, Qt::Key_Return, Qt::ControlModifier);
    pressKey(fixture.face().TSb, Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(fixture.prompter().informed, QStringList(2, expected));
}

QTEST_MAIN(EnglishWindowTest)
#include "english_window_test.moc"
