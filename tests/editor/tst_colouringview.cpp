// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/ui/sourceeditor.h"

#include "editor/colouring.h"
#include "editor/ui/colouringview.h"
#include "editor/ui/editorbuffer.h"

#include <QRandomGenerator>
#include <QTest>

using Colouring::Class;

namespace {

long send(TSourceEditor *editor, unsigned int message, unsigned long wParam = 0, long lParam = 0)
{
    return editor->SendScintilla(message, wParam, lParam);
}

int styleAt(TSourceEditor *editor, long position)
{
    return int(send(editor, QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(position)));
}

QString editorText(TSourceEditor *editor)
{
    return EditorBuffer(editor).text();
}

} // namespace

class TestColouringView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void typedMarkupTakesItsColourAtOnce();
    void editsThroughTheEditorMatchAFreshPass();
    void openingACommentStylesOnlyWhatIsShown();
    void formattingOffShowsTheTextColour();
    void docSettingsReadTheBodyWithoutChangingIt();
    void colouringLeavesTheSelectionAlone();
    void classAtFollowsEveryEdit();

private:
    TSourceEditor *m_editor = nullptr;
    TColouringView *m_view = nullptr;
};

void TestColouringView::init()
{
    m_editor = new TSourceEditor;
    m_editor->resize(600, 300);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor));
    m_view = new TColouringView(m_editor);
}

void TestColouringView::cleanup()
{
    delete m_editor;
    m_editor = nullptr;
    m_view = nullptr;
}

void TestColouringView::typedMarkupTakesItsColourAtOnce()
{
    m_editor->setFocus();
    QTest::keyClicks(m_editor, QStringLiteral("ab <font color=\"#ff0000\" size=#123456>&amp; x"));
    const QString text = editorText(m_editor);
    QCOMPARE(text, QStringLiteral("ab <font color=\"#ff0000\" size=#123456>&amp; x"));
    m_editor->grab();
    const std::vector<Class> expected = Colouring::classesOf(text);
    for (int i = 0; i < text.size(); ++i) {
        QCOMPARE(int(m_view->classAt(i)), int(expected[size_t(i)]));
        QCOMPARE(styleAt(m_editor, i), int(expected[size_t(i)]));
    }
    QCOMPARE(int(m_view->classAt(3)), int(Class::Tag));
    QCOMPARE(m_view->colourAt(3), m_view->colourSet().tagColor);
    QCOMPARE(int(m_view->classAt(int(text.indexOf(u'&')))), int(Class::Entity));
    // The editor still only reports the changes before they happen.
    QCOMPARE(send(m_editor, QsciScintillaBase::SCI_GETMODEVENTMASK),
        long(QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE));
}

void TestColouringView::editsThroughTheEditorMatchAFreshPass()
{
    const char *const fragments[] = { "<", ">", "<!--", "-->", "\"", "#ff0000 ", "&amp;", "&", ";", "\r\n",
        "<p class=\"x\">", "text ", " ", "<td bgcolor=#336699>", "\r\n<!--\r\n\"\r\n-->\r\n" };
    QByteArray start;
    QRandomGenerator random(99);
    for (int i = 0; i < 300; ++i)
        start += fragments[random.bounded(int(std::size(fragments)))];
    TSourceEditor::loadUtf8(m_editor, start);
    for (int step = 0; step < 600; ++step) {
        const long length = send(m_editor, QsciScintillaBase::SCI_GETLENGTH);
        if (random.bounded(3) || length == 0) {
            const char *insert = fragments[random.bounded(int(std::size(fragments)))];
            send(m_editor, QsciScintillaBase::SCI_INSERTTEXT,
                static_cast<unsigned long>(random.bounded(int(length) + 1)), reinterpret_cast<long>(insert));
        } else {
            const long at = random.bounded(int(length));
            const long count = std::min<long>(length - at, 1 + random.bounded(random.bounded(20) ? 10 : 300));
            send(m_editor, QsciScintillaBase::SCI_DELETERANGE, static_cast<unsigned long>(at), count);
        }
        if (step % 50 == 0)
            m_editor->grab();
    }
    send(m_editor, QsciScintillaBase::SCI_COLOURISE, 0, -1);
    const QString text = editorText(m_editor);
    const std::vector<Class> expected = Colouring::classesOf(text);
    QVERIFY(text.size() > 500);
    for (int i = 0; i < text.size(); ++i)
        QCOMPARE(styleAt(m_editor, i), int(expected[size_t(i)]));
}

void TestColouringView::openingACommentStylesOnlyWhatIsShown()
{
    QByteArray page;
    for (int i = 0; i < 20000; ++i)
        page += "<tr><td class=\"c\">cell &amp; text</td></tr>\r\n";
    TSourceEditor::loadUtf8(m_editor, page);
    m_editor->grab();
    send(m_editor, QsciScintillaBase::SCI_GOTOPOS, 0);
    m_editor->setFocus();
    QTest::keyClicks(m_editor, QStringLiteral("<!--"));
    m_editor->grab();
    const long styled = send(m_editor, QsciScintillaBase::SCI_GETENDSTYLED);
    QVERIFY(styled < page.size() / 10);
    QCOMPARE(styleAt(m_editor, 10), int(Class::Comment));
    QCOMPARE(styleAt(m_editor, page.size() / 2000), int(Class::Comment));
    // The engine answers beyond what is shown.
    QCOMPARE(int(m_view->classAt(page.size() - 10)), int(Class::Comment));
}

void TestColouringView::formattingOffShowsTheTextColour()
{
    TSourceEditor::loadUtf8(m_editor, "<p>a &amp; b</p>");
    ColourSet colours;
    colours.textColor = 0x112233;
    colours.formatting = false;
    m_view->setColourSet(colours);
    m_editor->grab();
    QCOMPARE(m_view->colourAt(0), TColor(0x112233));
    QCOMPARE(m_view->colourAt(5), TColor(0x112233));
    QCOMPARE(int(m_view->classAt(0)), int(Class::Tag));
    for (int style = 0; style < Colouring::classCount; ++style)
        QCOMPARE(send(m_editor, QsciScintillaBase::SCI_STYLEGETFORE, static_cast<unsigned long>(style)),
            long(0x112233));

    colours.formatting = true;
    m_view->setColourSet(colours);
    QCOMPARE(m_view->colourAt(0), colours.tagColor);
    QCOMPARE(send(m_editor, QsciScintillaBase::SCI_STYLEGETFORE, static_cast<unsigned long>(Class::Tag)),
        long(colours.tagColor));
}

void TestColouringView::docSettingsReadTheBodyWithoutChangingIt()
{
    const QByteArray page = "<html>\r\n<body text=\"#FF0000\" link=#00ff00>\r\nx</body>";
    TSourceEditor::loadUtf8(m_editor, page);
    ColourSet colours;
    colours.useDocSettings = true;
    m_view->setColourSet(colours);
    QCOMPARE(m_view->textColor(), TColor(0x0000FF));
    QCOMPARE(m_view->backColor(), TColor(0xFFFFFF)); // no BGCOLOR: the default
    QCOMPARE(editorText(m_editor), QString::fromUtf8(page));
    QCOMPARE(send(m_editor, QsciScintillaBase::SCI_STYLEGETBACK, 0), long(0xFFFFFF));

    // Without a BODY tag the defaults, never an empty colour.
    TSourceEditor::loadUtf8(m_editor, "<p>no body</p>");
    m_view->Refresh();
    QCOMPARE(m_view->textColor(), TColor(0x000000));
    QCOMPARE(m_view->backColor(), TColor(0xFFFFFF));
}

void TestColouringView::colouringLeavesTheSelectionAlone()
{
    QByteArray page;
    for (int i = 0; i < 200; ++i)
        page += "<p class=\"a\">text &amp; more</p>\r\n";
    TSourceEditor::loadUtf8(m_editor, page);
    send(m_editor, QsciScintillaBase::SCI_SETSEL, 120, 40);
    send(m_editor, QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, 50);
    m_view->Refresh();
    m_view->FormatTags(0, int(page.size()));
    m_editor->grab();
    m_view->classAt(3000);
    QCOMPARE(send(m_editor, QsciScintillaBase::SCI_GETANCHOR), 120L);
    QCOMPARE(send(m_editor, QsciScintillaBase::SCI_GETCURRENTPOS), 40L);
    QCOMPARE(send(m_editor, QsciScintillaBase::SCI_GETFIRSTVISIBLELINE), 50L);
    QCOMPARE(editorText(m_editor), QString::fromUtf8(page));
}

void TestColouringView::classAtFollowsEveryEdit()
{
    TSourceEditor::loadUtf8(m_editor, "<p title=\"a b\">text</p> tail");
    m_editor->grab();
    const int tail = int(editorText(m_editor).indexOf(QStringLiteral("tail")));
    QCOMPARE(int(m_view->classAt(tail)), int(Class::Text));
    QCOMPARE(int(m_view->classAt(10)), int(Class::String));
    // An edit before a styled place changes its class at once, before anything is painted again.
    send(m_editor, QsciScintillaBase::SCI_INSERTTEXT, 0, reinterpret_cast<long>("<!--"));
    QCOMPARE(int(m_view->classAt(tail + 4)), int(Class::Comment));
    QCOMPARE(int(m_view->classAt(9)), int(Class::Comment));
    send(m_editor, QsciScintillaBase::SCI_DELETERANGE, 0, 4);
    QCOMPARE(int(m_view->classAt(tail)), int(Class::Text));
    QCOMPARE(int(m_view->classAt(10)), int(Class::String));
    // A quote typed into the value opens a string that runs on to the end.
    send(m_editor, QsciScintillaBase::SCI_INSERTTEXT, static_cast<unsigned long>(tail),
        reinterpret_cast<long>("<i x=\""));
    QCOMPARE(int(m_view->classAt(tail + 7)), int(Class::String));
}

QTEST_MAIN(TestColouringView)
#include "tst_colouringview.moc"
