// SPDX-License-Identifier: GPL-3.0-or-later
#include "actiontable.h"

#include <array>

namespace ActionTable {

namespace {

using Qt::Key_unknown;
constexpr QKeyCombination none(Key_unknown);
constexpr QKeyCombination ctrl(Qt::Key key)
{
    return QKeyCombination(Qt::CTRL, key);
}

using A = ActionId;
using G = Group;

// clang-format off
constexpr ActionRow table[] = {
    // File
    { A::NewHTMLFile, u"NewHTMLFile", u"&New HTML File", ctrl(Qt::Key_N), none, QKeySequence::UnknownKey,
        u"New (Ctrl+N)|Create a new HTML File", u"New|Create a new HTML File", u"new" },
    { A::Open, u"Open", u"&Open", ctrl(Qt::Key_O), none, QKeySequence::UnknownKey,
        u"Open (Ctrl+O)|Open an existing HTML file", u"Open|Open an existing HTML file", u"open" },
    { A::Save, u"Save", u"&Save", ctrl(Qt::Key_S), none, QKeySequence::UnknownKey,
        u"Save (Ctrl+S)|Save the current HTML file to disk", u"Save|Save the current HTML file to disk", u"save" },
    { A::SaveAs1, u"SaveAs1", u"Save &As", QKeyCombination(Qt::Key_F12) },
    { A::Close, u"Close", u"&Close", ctrl(Qt::Key_W) },
    { A::PrintPreview1, u"PrintPreview1", u"Print Internal &Preview..." },
    { A::PrinterSetup, u"PrinterSetup", u"P&rinter Setup..." },
    { A::Upload, u"Upload", u"&Upload..." },
    { A::MenuItem15, u"MenuItem15", u"", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"", G::None, Separator },
    { A::RecentFile1, u"RecentFile1", u"&1" },
    { A::RecentFile2, u"RecentFile2", u"&2" },
    { A::RecentFile3, u"RecentFile3", u"&3" },
    { A::RecentFile4, u"RecentFile4", u"&4" },
    { A::Exit1, u"Exit1", u"E&xit", QKeyCombination(Qt::ALT, Qt::Key_F4), none, QKeySequence::Quit },
    // Edit
    { A::Undo, u"Undo", u"U&ndo", ctrl(Qt::Key_Z), none, QKeySequence::UnknownKey,
        u"Undo (Ctrl+Z)|Undoes the last action", u"Undo|Undoes the last action", u"undo", u"", G::None, Disabled },
    // Ctrl+Y belongs to Symbol; Ctrl+Shift+Z is the other key Linux programs give Redo.
    { A::Redo, u"Redo", u"Re&do", QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z), none, QKeySequence::UnknownKey,
        u"Redo|Redoes the last undone action", u"", u"redo", u"", G::None, Disabled },
    // The editor leaves these keys to the window, so the commands keep their old alternate keys too.
    { A::Cut, u"Cut", u"Cu&t", ctrl(Qt::Key_X), QKeyCombination(Qt::SHIFT, Qt::Key_Delete), QKeySequence::UnknownKey,
        u"Cut (Ctrl+X)|Remove the selected text and place it on the clipboard",
        u"Cut|Remove the selected text and place it on the clipboard", u"cut" },
    { A::Copy, u"Copy", u"&Copy", ctrl(Qt::Key_C), ctrl(Qt::Key_Insert), QKeySequence::UnknownKey,
        u"Copy (Ctrl+C)|Place a copy of the selected text on the clipboard",
        u"Copy|Place a copy of the selected text on the clipboard", u"copy" },
    { A::Paste, u"Paste", u"&Paste", ctrl(Qt::Key_V), QKeyCombination(Qt::SHIFT, Qt::Key_Insert),
        QKeySequence::UnknownKey, u"Paste (Ctrl+V)|Replace the selection with the clipboard text",
        u"Paste|Replace the selection with the clipboard text", u"paste" },
    { A::CheckSpelling, u"CheckSpelling", u"Check &Spelling...", none, none, QKeySequence::UnknownKey,
        u"Check Spelling|Run the spell checker over the current file", u"", u"spelling" },
    { A::Find, u"Find", u"&Find...", ctrl(Qt::Key_F), none, QKeySequence::UnknownKey,
        u"Find (F3)|Find a section of text in the current file", u"Find|Find a section of text in the current file",
        u"find" },
    { A::FindAgain1, u"FindAgain1", u"Find Again", QKeyCombination(Qt::Key_F3) },
    { A::Replace, u"Replace", u"&Replace...", ctrl(Qt::Key_R), none, QKeySequence::UnknownKey,
        u"Replace (Ctrl+R)|Replace a section of text with another",
        u"Replace|Replace a section of text with another", u"replace" },
    { A::StripTags1, u"StripTags1", u"Strip &Tags..." },
    { A::Upper1, u"Upper1", u"&Upper" },
    { A::Lower1, u"Lower1", u"&Lower" },
    // View
    { A::WordWrap, u"WordWrap", u"&Word Wrap", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"", G::None,
        Checkable | Checked },
    { A::Refresh, u"Refresh", u"&Refresh", QKeyCombination(Qt::Key_F5), none, QKeySequence::UnknownKey,
        u"Refresh (F5)|Update the syntax highlighting and the style list",
        u"Refresh|Update the syntax highlighting and the style list", u"refresh" },
    { A::SiteManagement1, u"SiteManagement1", u"&Site Management", none, none, QKeySequence::UnknownKey, u"", u"",
        u"", u"", G::LeftPane, Checkable | Checked },
    { A::CurrentTagEditor1, u"CurrentTagEditor1", u"Current &Tag Editor", none, none, QKeySequence::UnknownKey, u"",
        u"", u"", u"", G::LeftPane, Checkable },
    { A::CommonCodeReuse1, u"CommonCodeReuse1", u"&Common Code Reuse", none, none, QKeySequence::UnknownKey, u"",
        u"", u"", u"", G::LeftPane, Checkable },
    { A::JavascriptSnippets1, u"JavascriptSnippets1", u"&Javascript Snippets", none, none,
        QKeySequence::UnknownKey, u"", u"", u"", u"", G::LeftPane, Checkable },
    { A::Standard1, u"Standard1", u"Standard", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"", G::None,
        Checkable | Checked },
    { A::Formatting1, u"Formatting1", u"Formatting", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"",
        G::None, Checkable | Checked },
    { A::Document1, u"Document1", u"Document", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"", G::None,
        Checkable | Checked },
    { A::HTML1, u"HTML1", u"HTML", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"", G::None,
        Checkable | Checked },
    { A::ExternalPreview, u"ExternalPreview", u"&External Preview", none, none, QKeySequence::UnknownKey,
        u"External Preview|View the current document in an external browser", u"", u"web-page" },
    { A::DocumentOptions, u"DocumentOptions", u"&Document Options...", none, none, QKeySequence::UnknownKey,
        u"Document Options|See options relating to the entire document", u"", u"page" },
    { A::Settings1, u"Settings1", u"&Settings..." },
    { A::TipoftheDay1, u"TipoftheDay1", u"&Tip of the Day..." },
    // Insert
    { A::Comment, u"Comment", u"Comment", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"<!--" },
    { A::HorizontalLine, u"HorizontalLine", u"Horizontal &Line", ctrl(Qt::Key_L), none, QKeySequence::UnknownKey,
        u"Line (Ctrl+L)|Insert a line going across the page", u"Line|Insert a line going across the page", u"line" },
    { A::StandardTags, u"StandardTags", u"Standard &Tags", none, none, QKeySequence::UnknownKey, u"", u"", u"",
        u"<html>" },
    { A::Hyperlink1, u"Hyperlink1", u"&Hyperlink...", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"",
        G::None, Later },
    { A::Image, u"Image", u"&Image...", none, none, QKeySequence::UnknownKey,
        u"Image (Ctrl+J)|Insert an existing image file into the current page",
        u"Image|Insert an existing image file into the current page", u"image" },
    { A::Table1, u"Table1", u"&Table...", ctrl(Qt::Key_T), none, QKeySequence::UnknownKey,
        u"|Create a table for the current page", u"", u"table" },
    { A::Anchor1, u"Anchor1", u"&Anchor...", none, none, QKeySequence::UnknownKey,
        u"|Name this point of the page so that links can jump to it" },
    { A::Redirect1, u"Redirect1", u"&Redirection...", none, none, QKeySequence::UnknownKey,
        u"|Send the reader of this page on to another address" },
    // Format
    { A::Colour1, u"Colour1", u"&Colour..." },
    { A::BaseFont1, u"BaseFont1", u"&Base Font...", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"Base",
        G::None, Later },
    { A::Heading1, u"Heading1", u"Heading &1" },
    { A::Heading2, u"Heading2", u"Heading &2" },
    { A::Heading3, u"Heading3", u"Heading &3" },
    { A::Heading4, u"Heading4", u"Heading &4" },
    { A::Heading5, u"Heading5", u"Heading &5" },
    { A::Heading6, u"Heading6", u"Heading &6" },
    { A::BodyText1, u"BodyText1", u"&Body Text" },
    { A::Left1, u"Left1", u"&Left", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"Left" },
    { A::Right1, u"Right1", u"&Right", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"Right" },
    { A::Center1, u"Center1", u"&Center", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"Center" },
    { A::Justify1, u"Justify1", u"&Justify", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"Justify" },
    { A::Bold, u"Bold", u"&Bold", ctrl(Qt::Key_B), none, QKeySequence::UnknownKey,
        u"Bold (Ctrl+B)|Embolden the selected text", u"Bold|Embolden the selected text", u"bold" },
    { A::Italic, u"Italic", u"&Italics", ctrl(Qt::Key_I), none, QKeySequence::UnknownKey,
        u"Italic (Ctrl+I)|Italicasize the selected text", u"Italic|Italicasize the selected text", u"italic" },
    { A::Underline, u"Underline", u"&Underline", ctrl(Qt::Key_U), none, QKeySequence::UnknownKey,
        u"Underline (Ctrl+U)|Underline the selected text", u"Underline|Underline the selected text", u"underline" },
    { A::StrikeThrough, u"StrikeThrough", u"&Strike Through", none, none, QKeySequence::UnknownKey, u"", u"", u"",
        u"S" },
    { A::Superscript, u"Superscript", u"Su&perscript", none, none, QKeySequence::UnknownKey, u"", u"", u"",
        u"x\u00b2" },
    { A::Subscript, u"Subscript", u"Su&bscript", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"x\u2082" },
    { A::TypewriterText, u"TypewriterText", u"&Typewriter Text", none, none, QKeySequence::UnknownKey, u"", u"", u"",
        u"TT" },
    { A::Increase1, u"Increase1", u"&Increase", ctrl(Qt::Key_Equal) },
    { A::Decrease1, u"Decrease1", u"&Decrease", ctrl(Qt::Key_Minus) },
    // Site
    { A::NewSite1, u"NewSite1", u"&New..." },
    { A::OpenSite1, u"OpenSite1", u"&Open..." },
    { A::SaveSite1, u"SaveSite1", u"&Save..." },
    { A::RecentSite1, u"RecentSite1", u"&1 " },
    { A::RecentSite2, u"RecentSite2", u"&2 " },
    { A::RecentSite3, u"RecentSite3", u"&3 " },
    { A::RecentSite4, u"RecentSite4", u"&4 " },
    { A::AddPage1, u"AddPage1", u"Add &Page..." },
    { A::AddFile1, u"AddFile1", u"Add &File..." },
    { A::UseCurrent1, u"UseCurrent1", u"&Use Current" },
    { A::DeleteFromSite1, u"DeleteFromSite1", u"&Delete from Site" },
    { A::CreateTableOfContents1, u"CreateTableOfContents1", u"Create Table of &Contents...", none, none,
        QKeySequence::UnknownKey, u"", u"", u"", u"", G::None, Later },
    { A::ReplaceAll1, u"ReplaceAll1", u"&Replace All..." },
    { A::StripTags2, u"StripTags2", u"&Strip Tags" },
    { A::Upload1, u"Upload1", u"&Upload..." },
    // Help
    { A::Contents1, u"Contents1", u"&Contents", QKeyCombination(Qt::Key_F1), none, QKeySequence::UnknownKey,
        u"Contents|Show the contents of the user manual", u"", u"contents" },
    { A::SearchforHelpOn1, u"SearchforHelpOn1", u"&Search for Help On...", none, none, QKeySequence::UnknownKey,
        u"Search for Help On|Look up a subject in the index of the user manual" },
    { A::About1, u"About1", u"&About Tagloom 99...", none, none, QKeySequence::UnknownKey, u"", u"", u"about" },
    // The page tabs' context menu
    { A::New1, u"New1", u"&New" },
    { A::Open1, u"Open1", u"&Open..." },
    { A::Save1, u"Save1", u"&Save" },
    { A::SaveAs2, u"SaveAs2", u"Save &As..." },
    { A::Close2, u"Close2", u"&Close" },
    { A::Upload2, u"Upload2", u"&Upload..." },
    // The editor's context menu
    { A::Cut1, u"Cut1", u"C&ut", none, none, QKeySequence::UnknownKey, u"", u"", u"cut" },
    { A::Copy1, u"Copy1", u"&Copy", none, none, QKeySequence::UnknownKey, u"", u"", u"copy" },
    { A::Paste1, u"Paste1", u"&Paste", none, none, QKeySequence::UnknownKey, u"", u"", u"paste" },
    { A::br1, u"br1", u"<br>", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"", G::OnReturn, Checkable },
    { A::p1, u"p1", u"<p>", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"", G::OnReturn, Checkable },
    { A::Nothing1, u"Nothing1", u"[Nothing]", none, none, QKeySequence::UnknownKey, u"", u"", u"", u"", G::OnReturn,
        Checkable },
    { A::EditTag1, u"EditTag1", u"&Edit Tag" },
    { A::EditinDialog1, u"EditinDialog1", u"Edit in &Wizard...", none, none, QKeySequence::UnknownKey, u"", u"", u"",
        u"", G::None, Later },
    // Ctrl+P belongs to Print HTML Code; the same command here needs no key of its own.
    { A::Print1, u"Print1", u"&Print...", none, none, QKeySequence::UnknownKey, u"", u"", u"print" },
    { A::AddAsCodeSection1, u"AddAsCodeSection1", u"&Add as Code Section" },
    { A::Anchor2, u"Anchor2", u"&Anchor...", none, none, QKeySequence::UnknownKey,
        u"|Name this point of the page so that links can jump to it" },
    // Toolbars and drop-downs only
    { A::Print, u"Print", u"Print &HTML Code...", ctrl(Qt::Key_P), none, QKeySequence::UnknownKey,
        u"Print (Ctrl+P)|Print the current HTML file", u"Print|Print the current HTML file", u"print" },
    { A::InternalPreview, u"InternalPreview", u"&Internal Preview", QKeyCombination(Qt::Key_F6), none,
        QKeySequence::UnknownKey, u"Internal Preview (F6)|Update the IE4-powered internal preview",
        u"Internal Preview|Update the IE4-powered internal preview", u"preview" },
    { A::Link, u"Link", u"&Link...", none, none, QKeySequence::UnknownKey, u"Link (Ctrl+A)|Create a link to another page",
        u"Link|Create a link to another page", u"link", u"", G::None, Later },
    { A::Symbol, u"Symbol", u"&Symbol", none, none, QKeySequence::UnknownKey,
        u"Symbol (Ctrl+Y)|Insert a special character code", u"Symbol|Insert a special character code", u"symbol",
        u"", G::None, Later },
    { A::Table, u"Table", u"&Table", none, none, QKeySequence::UnknownKey, u"Table (Ctrl+T)|Create a table",
        u"Table|Create a table", u"table" },
    { A::MetaInformation, u"MetaInformation", u"&Meta Information", none, none, QKeySequence::UnknownKey,
        u"Meta Information (Ctrl+M)|Define information about the current page",
        u"Meta Information|Define information about the current page", u"meta", u"", G::None, Later },
    { A::MoreColors1, u"MoreColors1", u"&More Colors" },
    { A::StaticDateTime1, u"StaticDateTime1", u"Static Date && Time" },
    { A::AutoDateTime1, u"AutoDateTime1", u"Automatcally updating date && time" },
    // The site toolbar above the site tree
    { A::NewSiteTool, u"NewSiteTool", u"", none, none, QKeySequence::UnknownKey,
        u"New Site|Create a new site management file", u"", u"new" },
    { A::OpenSiteTool, u"OpenSiteTool", u"", none, none, QKeySequence::UnknownKey,
        u"Open Site|Open an existing site management file", u"", u"open" },
    { A::SaveSiteTool, u"SaveSiteTool", u"", none, none, QKeySequence::UnknownKey,
        u"Save Site|Save the current site management file to disk", u"", u"save" },
    { A::AddPageTool, u"AddPageTool", u"", none, none, QKeySequence::UnknownKey,
        u"Add Page|Add an existing HTML file to the current site management file", u"", u"add-page" },
    { A::AddFileTool, u"AddFileTool", u"", none, none, QKeySequence::UnknownKey,
        u"Add File|Add an existing image or style sheet to the site management file", u"", u"add-file" },
    { A::NewFolderTool, u"NewFolderTool", u"", none, none, QKeySequence::UnknownKey,
        u"New Folder|Create a new sub-folder in the site management tree", u"", u"new-folder" },
    { A::UseCurrentTool, u"UseCurrentTool", u"", none, none, QKeySequence::UnknownKey,
        u"Use Current File|Add the current HTML file to the site management file", u"", u"use-current" },
    { A::DeleteTool, u"DeleteTool", u"", none, none, QKeySequence::UnknownKey,
        u"Delete|Delete the selected file or folder", u"", u"delete" },
    { A::PreviewTool, u"PreviewTool", u"", none, none, QKeySequence::UnknownKey, u"Preview|Load the selected file", u"",
        u"preview" },
    // Tools
    { A::NoPluginsInstalled, u"NoPluginsInstalled", u"No Plugins Installed", none, none, QKeySequence::UnknownKey,
        u"", u"", u"", u"", G::None, Disabled },
    // The code tree's context menu
    { A::ApplyCodeSection1, u"ApplyCodeSection1", u"A&pply Code Section" },
    { A::CodeSample1, u"CodeSample1", u"&Add Code Section..." },
    { A::EditCodeSection1, u"EditCodeSection1", u"&Edit Code Section..." },
    { A::RenameCodeSection1, u"RenameCodeSection1", u"&Rename Code Section" },
    { A::DeleteCodeSection1, u"DeleteCodeSection1", u"Delete Code Section" },
    { A::NewFolder1, u"NewFolder1", u"&New Folder" },
    { A::DeleteFolder1, u"DeleteFolder1", u"&Delete Folder" },
    // The code toolbar above the code tree
    { A::ApplyCodeTool, u"ApplyCodeTool", u"", none, none, QKeySequence::UnknownKey, u"Apply Code|Use the selected",
        u"", u"code-apply" },
    { A::AddCodeTool, u"AddCodeTool", u"", none, none, QKeySequence::UnknownKey,
        u"Add Code|Create a new Common Code entry", u"", u"code-add" },
    { A::AddFolderTool, u"AddFolderTool", u"", none, none, QKeySequence::UnknownKey,
        u"Add Folder|Create a new sub-folder to store code in", u"", u"new-folder" },
    { A::EditCodeTool, u"EditCodeTool", u"", none, none, QKeySequence::UnknownKey,
        u"Edit Code|Change the contents of the selected code sample", u"", u"code-edit" },
    { A::DeleteCodeTool, u"DeleteCodeTool", u"", none, none, QKeySequence::UnknownKey,
        u"Delete|Delete the selected code sample", u"", u"delete" },
    // The tools, text import and open from web
    { A::OpenfromWeb1, u"OpenfromWeb1", u"Open From Web...", none, none, QKeySequence::UnknownKey,
        u"|Open an HTML file from a web server", u"", u"web-page" },
    { A::TextFile2, u"TextFile2", u"Te&xt File...", none, none, QKeySequence::UnknownKey,
        u"|Load text file into the current file, saving current formatting" },
    { A::TextFile1, u"TextFile1", u"Te&xt File...", none, none, QKeySequence::UnknownKey,
        u"|Create new HTML file from text file, inserting line breaks" },
    { A::PreformattedTextFile1, u"PreformattedTextFile1", u"&Preformatted Text File...", none, none,
        QKeySequence::UnknownKey, u"|Load text file into the current file, saving current formatting" },
    { A::CheckHTML, u"CheckHTML", u"Check &HTML...", none, none, QKeySequence::UnknownKey,
        u"Check HTML|Check the HTML in the document is correct", u"", u"check-html", u"Check" },
    { A::LinkAnalyser1, u"LinkAnalyser1", u"&Link Analyser...", none, none, QKeySequence::UnknownKey,
        u"Link Analyser|Check whether all the links in the document should work", u"", u"link-analyser",
        u"Links" },
    { A::DownloadSpeeds1, u"DownloadSpeeds1", u"&Download Speeds...", none, none, QKeySequence::UnknownKey,
        u"|Estimate how long the page takes to download" },
    { A::ConvertTextFile1, u"ConvertTextFile1", u"Con&vert Text File To HTML...", none, none,
        QKeySequence::UnknownKey, u"|Create new HTML file from text file, inserting line breaks" },
    { A::ImportTextFile1, u"ImportTextFile1", u"&Import Text File...", none, none, QKeySequence::UnknownKey,
        u"|Load text file into the current file, saving current formatting" },
    { A::ImportHTMLFile1, u"ImportHTMLFile1", u"Import &HTML File...", none, none, QKeySequence::UnknownKey,
        u"|Import parts of another HTML file into the current file" },
};
// clang-format on

constexpr bool inIdOrder()
{
    for (int i = 0; i < actionCount; ++i) {
        if (int(table[i].id) != i)
            return false;
    }
    return std::size(table) == size_t(actionCount);
}
static_assert(inIdOrder(), "the rows must stand in ActionId order, one for each id");

using E = MenuEntry;
using K = MenuEntry::Kind;
constexpr E item(ActionId id)
{
    return { K::Action, id, MenuId::Count };
}
constexpr E sub(MenuId id)
{
    return { K::Submenu, ActionId::Count, id };
}
constexpr E separator { K::Separator };
constexpr E separator15 { K::Separator, A::MenuItem15 };

constexpr E fileMenu[] = { item(A::NewHTMLFile), item(A::Open), item(A::OpenfromWeb1), item(A::TextFile2),
    item(A::Save), item(A::SaveAs1), item(A::Close), item(A::Upload), separator, sub(MenuId::Print2),
    item(A::PrinterSetup), separator15, item(A::RecentFile1), item(A::RecentFile2), item(A::RecentFile3),
    item(A::RecentFile4), separator, item(A::Exit1) };
constexpr E editMenu[] = { item(A::Undo), item(A::Redo), separator, item(A::Cut), item(A::Copy),
    item(A::Paste), separator, item(A::CheckSpelling), separator, item(A::Find), item(A::FindAgain1),
    item(A::Replace), separator, item(A::StripTags1), sub(MenuId::ChangeCase) };
constexpr E changeCaseMenu[] = { item(A::Upper1), item(A::Lower1) };
constexpr E viewMenu[] = { item(A::WordWrap), item(A::Refresh), item(A::InternalPreview),
    item(A::ExternalPreview), separator, sub(MenuId::LeftPane), sub(MenuId::Toolbars), separator,
    item(A::DocumentOptions), item(A::Settings1), separator, item(A::TipoftheDay1) };
constexpr E printMenu[] = { item(A::Print), item(A::PrintPreview1) };
constexpr E leftPaneMenu[] = { item(A::SiteManagement1), item(A::CurrentTagEditor1),
    item(A::CommonCodeReuse1), item(A::JavascriptSnippets1) };
constexpr E toolbarsMenu[] = { item(A::Standard1), item(A::Formatting1), item(A::Document1), item(A::HTML1) };
constexpr E insertMenu[] = { item(A::Comment), item(A::HorizontalLine), item(A::StandardTags),
    item(A::Hyperlink1), item(A::Anchor1), item(A::Image), item(A::Table1), item(A::Redirect1), separator,
    item(A::TextFile1), item(A::PreformattedTextFile1) };
constexpr E formatMenu[] = { item(A::Colour1), item(A::BaseFont1), sub(MenuId::Style), sub(MenuId::Align),
    item(A::Bold), item(A::Italic), item(A::Underline), item(A::StrikeThrough), item(A::Superscript),
    item(A::Subscript), item(A::TypewriterText), sub(MenuId::FontSize) };
constexpr E styleMenu[] = { item(A::Heading1), item(A::Heading2), item(A::Heading3), item(A::Heading4),
    item(A::Heading5), item(A::Heading6), item(A::BodyText1) };
constexpr E alignMenu[] = { item(A::Left1), item(A::Right1), item(A::Center1), item(A::Justify1) };
constexpr E fontSizeMenu[] = { item(A::Increase1), item(A::Decrease1) };
constexpr E siteMenu[]
    = { item(A::NewSite1), item(A::OpenSite1), item(A::SaveSite1), sub(MenuId::RecentSites), separator,
          item(A::AddPage1), item(A::AddFile1), item(A::UseCurrent1), item(A::DeleteFromSite1), separator,
          item(A::CreateTableOfContents1), sub(MenuId::GlobalOperations), item(A::Upload1) };
constexpr E recentSitesMenu[]
    = { item(A::RecentSite1), item(A::RecentSite2), item(A::RecentSite3), item(A::RecentSite4) };
constexpr E globalMenu[] = { item(A::ReplaceAll1), item(A::StripTags2) };
constexpr E toolsMenu[] = { item(A::CheckHTML), item(A::LinkAnalyser1), item(A::DownloadSpeeds1), separator,
    item(A::ConvertTextFile1), item(A::ImportTextFile1), item(A::ImportHTMLFile1), separator,
    item(A::NoPluginsInstalled) };
constexpr E helpMenu[] = { item(A::Contents1), item(A::SearchforHelpOn1), separator, item(A::About1) };
constexpr E filePagesPopup[]
    = { item(A::New1), item(A::Open1), item(A::Save1), item(A::SaveAs2), item(A::Close2), item(A::Upload2) };
constexpr E htmlPopup[] = { item(A::Cut1), item(A::Copy1), item(A::Paste1), separator, sub(MenuId::OnReturn),
    separator, item(A::EditTag1), item(A::EditinDialog1), item(A::Anchor2), separator, item(A::Print1),
    item(A::AddAsCodeSection1) };
constexpr E onReturnMenu[] = { item(A::br1), item(A::p1), item(A::Nothing1) };
constexpr E dateTimeMenu[] = { item(A::StaticDateTime1), item(A::AutoDateTime1) };
constexpr E codePopup[] = { item(A::ApplyCodeSection1), separator, item(A::CodeSample1),
    item(A::EditCodeSection1), item(A::RenameCodeSection1), item(A::DeleteCodeSection1), separator,
    item(A::NewFolder1), item(A::DeleteFolder1) };

const Menu menus[] = {
    { MenuId::File, u"File1", u"&File", fileMenu },
    { MenuId::Edit, u"Edit1", u"&Edit", editMenu },
    { MenuId::ChangeCase, u"", u"Change &Case", changeCaseMenu },
    { MenuId::View, u"View1", u"&View", viewMenu },
    { MenuId::LeftPane, u"LeftPane1", u"&Left Pane", leftPaneMenu },
    { MenuId::Toolbars, u"ToolbarPopup", u"&Toolbars", toolbarsMenu },
    { MenuId::Insert, u"", u"&Insert", insertMenu },
    { MenuId::Format, u"", u"&Format", formatMenu },
    { MenuId::Style, u"", u"&Style", styleMenu },
    { MenuId::Align, u"", u"&Align", alignMenu },
    { MenuId::FontSize, u"", u"Font Si&ze", fontSizeMenu },
    { MenuId::Print2, u"Print2", u"&Print", printMenu },
    { MenuId::Site, u"Site1", u"&Site", siteMenu },
    { MenuId::RecentSites, u"RecentSites1", u"&Recent", recentSitesMenu },
    { MenuId::GlobalOperations, u"GlobalOperations1", u"&Global Operations", globalMenu },
    // The plug-ins of Addin are added at the window's first activation.
    { MenuId::Tools, u"Tools1", u"&Tools", toolsMenu },
    { MenuId::Help, u"Help1", u"&Help", helpMenu },
    { MenuId::FilePagesPopup, u"FilePagesPopup", u"", filePagesPopup },
    { MenuId::HTMLPopup, u"HTMLPopup", u"", htmlPopup },
    { MenuId::OnReturn, u"OnReturn1", u"On Return", onReturnMenu },
    { MenuId::DateTime, u"", u"", dateTimeMenu },
    { MenuId::CodePopup, u"CodePopup", u"", codePopup },
};
static_assert(std::size(menus) == size_t(MenuId::Count));

constexpr MenuId bar[] = { MenuId::File, MenuId::Edit, MenuId::View, MenuId::Insert, MenuId::Format,
    MenuId::Site, MenuId::Tools, MenuId::Help };

using T = ToolbarEntry;
using TK = ToolbarEntry::Kind;
constexpr T button(ActionId id, const char16_t *name)
{
    return { TK::Button, id, name };
}
constexpr T widget(ToolWidget which)
{
    return { TK::Widget, ActionId::Count, u"", which };
}
constexpr T gap { TK::Separator };

constexpr T standardBar[] = { button(A::NewHTMLFile, u"NewButton"), button(A::Open, u"OpenButton"),
    button(A::Save, u"SaveButton"), button(A::Print, u"PrintButton"), gap, button(A::Cut, u"CutButton"),
    button(A::Copy, u"CopyButton"), button(A::Paste, u"PasteButton"), gap, button(A::Undo, u"UndoButton"),
    button(A::Redo, u"RedoButton"), gap, button(A::Find, u"FindButton"), button(A::Replace, u"ReplaceButton"),
    button(A::CheckSpelling, u"CheckSpellingButton"), gap, button(A::Refresh, u"RefreshButton"),
    button(A::InternalPreview, u"InternalPreviewButton"),
    button(A::ExternalPreview, u"ExternalPreviewButton"), gap, button(A::CheckHTML, u"CheckHTMLButton"),
    button(A::LinkAnalyser1, u"LinkAnalyserButton") };
constexpr T documentBar[]
    = { widget(ToolWidget::TitleLabel), widget(ToolWidget::DocTitle), widget(ToolWidget::BackgroundLabel),
          widget(ToolWidget::BackColor), button(A::DocumentOptions, u"DocumentOptionsButton") };
constexpr T formattingBar[] = { widget(ToolWidget::FontName), widget(ToolWidget::FontSize),
    widget(ToolWidget::StyleCombo), gap, button(A::Bold, u"BoldButton"), button(A::Italic, u"ItalicButton"),
    button(A::Underline, u"UnderlineButton"), widget(ToolWidget::ColourButton),
    button(A::BaseFont1, u"BaseFontButton"), button(A::Left1, u"LeftAlignButton"),
    button(A::Right1, u"RightAlignButton"), button(A::Center1, u"CenterButton"),
    button(A::Justify1, u"JustifyButton"), button(A::StrikeThrough, u"StrikeThroughButton"),
    button(A::Superscript, u"SuperscriptButton"), button(A::Subscript, u"SubscriptButton"),
    button(A::TypewriterText, u"TypewriterButton") };
constexpr T htmlBar[] = { button(A::Link, u"LinkButton"), button(A::Image, u"ImageButton"),
    button(A::Symbol, u"SymbolButton"), button(A::Table, u"TableButton"),
    button(A::MetaInformation, u"MetaInformationButton"), button(A::HorizontalLine, u"HorizontalLineButton"),
    button(A::Comment, u"CommentButton"), button(A::StandardTags, u"StandardTagsButton"),
    widget(ToolWidget::DateTimeButton), widget(ToolWidget::SmileyButton) };
constexpr T siteBar[] = { button(A::NewSiteTool, u"NewSiteButton"),
    button(A::OpenSiteTool, u"OpenSiteButton"), button(A::SaveSiteTool, u"SaveSiteButton"),
    button(A::AddPageTool, u"AddPageButton"), button(A::AddFileTool, u"AddFileButton"),
    button(A::NewFolderTool, u"NewFolderButton"), button(A::UseCurrentTool, u"UseCurrentButton"),
    button(A::DeleteTool, u"DeleteButton"), button(A::PreviewTool, u"PreviewButton") };
constexpr T codeBar[] = { button(A::ApplyCodeTool, u"ApplyCodeButton"),
    button(A::AddCodeTool, u"AddCodeButton"), button(A::AddFolderTool, u"AddFolderButton"),
    button(A::EditCodeTool, u"EditCodeButton"), button(A::DeleteCodeTool, u"DeleteCodeButton") };

const Toolbar toolbars[] = {
    { ToolbarId::Standard, u"StdToolbar", u"Standard", A::Standard1, standardBar },
    { ToolbarId::Document, u"DocumentToolbar", u"Document", A::Document1, documentBar },
    { ToolbarId::Formatting, u"FormattingToolbar", u"Formatting", A::Formatting1, formattingBar },
    { ToolbarId::HTML, u"HTMLToolbar", u"HTML", A::HTML1, htmlBar },
    { ToolbarId::Site, u"SiteToolbar", u"Site", A::Count, siteBar },
    { ToolbarId::Code, u"CodeToolbar", u"Common Code", A::Count, codeBar },
};
static_assert(std::size(toolbars) == size_t(ToolbarId::Count));

QString string(const char16_t *text)
{
    return QString::fromUtf16(text);
}

// The menu that holds id, and that menu's parent menu, searched from the menu bar down.
const Menu *menuHolding(ActionId id, const Menu &in, QString &path)
{
    for (const MenuEntry &entry : in.entries) {
        if (entry.kind == K::Action && entry.action == id)
            return &in;
        if (entry.kind == K::Submenu) {
            const Menu &child = menu(entry.submenu);
            QString childPath = path + u'/' + string(child.title);
            if (const Menu *found = menuHolding(id, child, childPath)) {
                path = childPath;
                return found;
            }
        }
    }
    return nullptr;
}

} // namespace

const ActionRow &row(ActionId id)
{
    return table[int(id)];
}

std::span<const ActionRow> rows()
{
    return table;
}

QString objectName(ActionId id)
{
    return string(row(id).objectName);
}

QString text(ActionId id)
{
    return string(row(id).text);
}

QList<QKeySequence> keys(ActionId id)
{
    const ActionRow &r = row(id);
    QList<QKeySequence> list;
    if (r.key.key() != Key_unknown)
        list.append(QKeySequence(r.key));
    if (r.alternateKey.key() != Key_unknown)
        list.append(QKeySequence(r.alternateKey));
    return list;
}

QString hint(ActionId id, bool withShortcut)
{
    const ActionRow &r = row(id);
    return string(withShortcut || !*r.plainHint ? r.hint : r.plainHint);
}

const Menu &menu(MenuId id)
{
    return menus[int(id)];
}

std::span<const MenuId> menuBar()
{
    return bar;
}

QString menuPath(ActionId id)
{
    for (MenuId top : bar) {
        QString path = string(menu(top).title);
        if (menuHolding(id, menu(top), path))
            return path;
    }
    QString ignored;
    if (menuHolding(id, menu(MenuId::HTMLPopup), ignored))
        return QStringLiteral("HTMLPopup");
    return {};
}

QString dropDownOf(ActionId id)
{
    if (id == A::MoreColors1)
        return QStringLiteral("ColourButton");
    for (const MenuEntry &entry : menu(MenuId::DateTime).entries) {
        if (entry.action == id)
            return QStringLiteral("DateTimeButton");
    }
    return {};
}

const Toolbar &toolbar(ToolbarId id)
{
    return toolbars[int(id)];
}

QString buttonName(ActionId id)
{
    for (const Toolbar &bar : toolbars) {
        for (const ToolbarEntry &entry : bar.entries) {
            if (entry.kind == TK::Button && entry.action == id)
                return string(entry.buttonName);
        }
    }
    return {};
}

} // namespace ActionTable
