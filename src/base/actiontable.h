// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeyCombination>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <optional>
#include <span>

// Every command of the menus, context menus and toolbars, declared once as a row of data: its object
// name, text, keys, hint pair, icon and group. The menus and toolbars are tables of these rows, and the
// window builds both from them, so a command's hint and keys cannot differ between its menu item and its
// button. Commands reach their actions by ActionId, never by name.
namespace ActionTable {

enum class ActionId {
    // File
    NewHTMLFile,
    Open,
    Save,
    SaveAs1,
    Close,
    PrintPreview1,
    PrinterSetup,
    Upload,
    MenuItem15,
    RecentFile1,
    RecentFile2,
    RecentFile3,
    RecentFile4,
    Exit1,
    // Edit
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    CheckSpelling,
    Find,
    FindAgain1,
    Replace,
    StripTags1,
    Upper1,
    Lower1,
    // View
    WordWrap,
    Refresh,
    SiteManagement1,
    CurrentTagEditor1,
    CommonCodeReuse1,
    JavascriptSnippets1,
    Standard1,
    Formatting1,
    Document1,
    HTML1,
    ExternalPreview,
    DocumentOptions,
    Settings1,
    TipoftheDay1,
    // Insert
    Comment,
    HorizontalLine,
    StandardTags,
    Hyperlink1,
    Image,
    Table1,
    Anchor1,
    Redirect1,
    // Format
    Colour1,
    BaseFont1,
    Heading1,
    Heading2,
    Heading3,
    Heading4,
    Heading5,
    Heading6,
    BodyText1,
    Left1,
    Right1,
    Center1,
    Justify1,
    Bold,
    Italic,
    Underline,
    StrikeThrough,
    Superscript,
    Subscript,
    TypewriterText,
    Increase1,
    Decrease1,
    // Site
    NewSite1,
    OpenSite1,
    SaveSite1,
    RecentSite1,
    RecentSite2,
    RecentSite3,
    RecentSite4,
    AddPage1,
    AddFile1,
    UseCurrent1,
    DeleteFromSite1,
    CreateTableOfContents1,
    ReplaceAll1,
    StripTags2,
    Upload1,
    // Help
    Contents1,
    SearchforHelpOn1,
    About1,
    // The page tabs' context menu
    New1,
    Open1,
    Save1,
    SaveAs2,
    Close2,
    Upload2,
    // The editor's context menu
    Cut1,
    Copy1,
    Paste1,
    br1,
    p1,
    Nothing1,
    EditTag1,
    EditinDialog1,
    Print1,
    AddAsCodeSection1,
    Anchor2,
    // Toolbars and drop-downs only
    Print,
    InternalPreview,
    Link,
    Symbol,
    Table,
    MetaInformation,
    MoreColors1,
    StaticDateTime1,
    AutoDateTime1,
    // The site toolbar above the site tree
    NewSiteTool,
    OpenSiteTool,
    SaveSiteTool,
    AddPageTool,
    AddFileTool,
    NewFolderTool,
    UseCurrentTool,
    DeleteTool,
    PreviewTool,
    // Tools
    NoPluginsInstalled,
    // The code tree's context menu
    ApplyCodeSection1,
    CodeSample1,
    EditCodeSection1,
    RenameCodeSection1,
    DeleteCodeSection1,
    NewFolder1,
    DeleteFolder1,
    // The code toolbar above the code tree
    ApplyCodeTool,
    AddCodeTool,
    AddFolderTool,
    EditCodeTool,
    DeleteCodeTool,
    // The tools, text import and open from web
    OpenfromWeb1,
    TextFile2,
    TextFile1,
    PreformattedTextFile1,
    CheckHTML,
    LinkAnalyser1,
    DownloadSpeeds1,
    ConvertTextFile1,
    ImportTextFile1,
    ImportHTMLFile1,
    Count
};
inline constexpr int actionCount = int(ActionId::Count);

// The radio groups: one item of a group is checked at a time.
enum class Group { None, LeftPane, OnReturn };

enum Flag : unsigned {
    NoFlags = 0,
    Checkable = 1,
    Checked = 2, // checkable and checked at the start
    Later = 4, // its command arrives with a later feature: shown disabled, nothing connected
    Disabled = 8, // disabled until its command enables it
    Separator = 16, // a separator whose visibility a command sets
};

struct ActionRow
{
    ActionId id;
    const char16_t *objectName;
    const char16_t *text;
    QKeyCombination key = QKeyCombination(Qt::Key_unknown);
    QKeyCombination alternateKey = QKeyCombination(Qt::Key_unknown);
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    // "tooltip|status text"; hint is shown while the Shortcuts setting is on, plainHint (when given)
    // while it is off. Empty: Qt's tooltip from the text.
    const char16_t *hint = u"";
    const char16_t *plainHint = u"";
    const char16_t *icon = u""; // a name for the program's icons
    const char16_t *iconText = u""; // the face of a toolbar button without an icon
    Group group = Group::None;
    unsigned flags = NoFlags;
};

// The row of an action; rows stand in ActionId order.
const ActionRow &row(ActionId id);
std::span<const ActionRow> rows();
QString objectName(ActionId id);
QString text(ActionId id);
// The fixed keys, first the main one; empty for none. A standard key is the platform's to resolve.
QList<QKeySequence> keys(ActionId id);
// The hint as the Shortcuts setting asks for it.
QString hint(ActionId id, bool withShortcut);

// ---- Menus ---------------------------------------------------------------------------------------------

enum class MenuId {
    File,
    Edit,
    ChangeCase,
    View,
    LeftPane,
    Toolbars,
    Insert,
    Format,
    Style,
    Align,
    FontSize,
    Print2,
    Site,
    RecentSites,
    GlobalOperations,
    Tools,
    Help,
    FilePagesPopup,
    HTMLPopup,
    OnReturn,
    DateTime,
    CodePopup,
    Count
};

struct MenuEntry
{
    enum class Kind { Action, Separator, Submenu };
    Kind kind;
    ActionId action = ActionId::Count;
    MenuId submenu = MenuId::Count;
};

struct Menu
{
    MenuId id;
    const char16_t *objectName;
    const char16_t *title;
    std::span<const MenuEntry> entries;
    bool enabled = true;
};

const Menu &menu(MenuId id);
// The menu bar's menus, left to right.
std::span<const MenuId> menuBar();
// Where an action stands in the menu bar, as "&Format/&Style"; "HTMLPopup" for the editor's context
// menu; empty when it is in no menu of the bar.
QString menuPath(ActionId id);
// The object name of the drop-down button whose menu holds the action; empty for none.
QString dropDownOf(ActionId id);

// ---- Toolbars ------------------------------------------------------------------------------------------

enum class ToolbarId { Standard, Document, Formatting, HTML, Site, Code, Count };

// The toolbar places that hold a widget instead of a button; the unit that owns the widget makes it.
enum class ToolWidget {
    TitleLabel,
    DocTitle,
    BackgroundLabel,
    BackColor,
    FontName,
    FontSize,
    StyleCombo,
    ColourButton,
    DateTimeButton,
    SmileyButton
};

struct ToolbarEntry
{
    enum class Kind { Button, Separator, Widget };
    Kind kind;
    ActionId action = ActionId::Count;
    const char16_t *buttonName = u"";
    ToolWidget widget = ToolWidget::TitleLabel;
};

struct Toolbar
{
    ToolbarId id;
    const char16_t *objectName;
    const char16_t *title;
    ActionId toggle; // the Toolbars menu item that shows and hides it; Count for none
    std::span<const ToolbarEntry> entries;
};

const Toolbar &toolbar(ToolbarId id);
// The object name of the toolbar button that runs the action; empty for none.
QString buttonName(ActionId id);

} // namespace ActionTable

using ActionTable::ActionId;
