#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The texts the user sees, defined once.
namespace vantor::text {

inline constexpr std::string_view ApplicationTitle = "Vantor-2000";
inline constexpr std::string_view ErrorCaption = "Error";
inline constexpr std::string_view WarningCaption = "Warning";
inline constexpr std::string_view InformationCaption = "Information";
inline constexpr std::string_view ApplicationErrorCaption = "Application Error";

inline constexpr std::string_view FileNotFound = "File not found!";

// FileNotFound naming the file, where a command-line run names several.
std::string fileNotFound(const std::string& fileName);

// An output that is one of the operation's inputs would destroy what is being read.
std::string outputIsAnInput(const std::string& output, const std::string& input);

// The backup the user asked for could not be made, so the insertion did not go on.
std::string backupFailed(const std::string& backupName, const std::string& reason);

// The info save found a different block from the one that was read and shown.
inline constexpr std::string_view InfoBlockChanged = "The track file changed since its info block was read.";
// The same for the magic data an editor saves back over what it read.
inline constexpr std::string_view TrackMagicDataChanged =
    "The track file changed since its magic data was read.";
inline constexpr std::string_view MagicFileChanged = "The magic data file changed since it was read.";

inline constexpr std::string_view MagicFileHeader = "[kx7-2000 magic file]";
inline constexpr std::string_view BumpTableHeader = "[bumptable]";
inline constexpr std::string_view NotAMagicFile = "This file doesn't appear to be a valid KX7 Magic file!";

inline constexpr std::string_view NoInfoBlock = "Track doesn't contain KX7info data";

// The size check's note, naming the one size that the program works with.
std::string notTheRightExecutable(std::uint64_t expectedSize);

// A text that would end an info block field early and so break the block apart.
std::string infoTextBreaksBlock(std::string_view text);
inline constexpr std::string_view NotATrackFile = "This doesn't appear to be a valid KX7 track file!";
inline constexpr std::string_view NoCustomMagicData = "This track file does NOT contain custom magic data!";

// NotATrackFile, then the file's name and what was found in it.
std::string invalidTrackFile(const std::string& fileName, const std::string& finding);

// The desktop program's windows.
inline constexpr std::string_view MainWindowCaption = "Vantor - 2000";
inline constexpr std::string_view TrackFileLabel = "KX7 track file : ";
inline constexpr std::string_view MagicFileLabel = "Magic data file : ";
inline constexpr std::string_view InsertButton = "Insert data";
inline constexpr std::string_view BackupCheckBox = "Backup original trackfile?";
inline constexpr std::string_view EditInfoButton = "Edit KX7info";
inline constexpr std::string_view FileMenu = "File";
inline constexpr std::string_view ExitItem = "Exit";
inline constexpr std::string_view EditMenu = "Edit";
inline constexpr std::string_view CreateFromExeItem = "Create magic file from KX7_2000.EXE";
inline constexpr std::string_view ExtractItem = "Get magic data from track file";
inline constexpr std::string_view SetExeLocationItem = "Set KX7_2000.EXE location";
inline constexpr std::string_view EditMagicDataItem = "Edit magic data...";

// The magic data editor.
inline constexpr std::string_view MagicEditorTitle = "Magic data - ";
inline constexpr std::string_view MagicEditorCaption = "Magic data";
inline constexpr std::string_view LineFinding = "line %1: ";
inline constexpr std::string_view CompareWithCaption = "Compare with";
inline constexpr std::string_view UnsavedChangesText = "Save the changes to %1?";
inline constexpr std::string_view EditorFileMenu = "&File";
inline constexpr std::string_view SaveItem = "&Save";
inline constexpr std::string_view SaveAsMagicFileItem = "Save &as magic data file...";
inline constexpr std::string_view CloseItem = "&Close";
inline constexpr std::string_view EditorEditMenu = "&Edit";
inline constexpr std::string_view UndoItem = "&Undo";
inline constexpr std::string_view RedoItem = "&Redo";
inline constexpr std::string_view CopyFromOtherItem = "&Copy value from the other";
inline constexpr std::string_view CompareMenu = "C&ompare";
inline constexpr std::string_view CompareWithItem = "Compare &with...";
inline constexpr std::string_view CompareWithStockItem = "Compare with &stock data...";
inline constexpr std::string_view CompareWithStockCaption = "Compare with stock data";
inline constexpr std::string_view CompareFileFilter =
    "KX7-2000 track and magic files|*.dat;*.md2;*.md|All files (*.*)|*.*";
inline constexpr std::string_view DifferencesOnlyItem = "Show &differences only";
inline constexpr std::string_view StopComparingItem = "S&top comparing";
inline constexpr std::string_view ValuesLabel = "&Values";
inline constexpr std::string_view BumpTableLabel = "&Bump table";
inline constexpr std::string_view AddEntryButton = "&Add entry";
inline constexpr std::string_view RemoveEntryButton = "&Remove entry";
inline constexpr std::string_view MoveUpButton = "Move &up";
inline constexpr std::string_view MoveDownButton = "Move do&wn";
inline constexpr std::string_view FindingsLabel = "F&indings of the check";
inline constexpr std::string_view NoFindings = "Nothing found.";
inline constexpr std::string_view NumberHeader = "No.";
inline constexpr std::string_view DescriptionHeader = "Description";
inline constexpr std::string_view ValueHeader = "Value";
inline constexpr std::string_view EncodingHeader = "Encoding and range";
inline constexpr std::string_view BumpFirstHeader = "First";
inline constexpr std::string_view BumpSecondHeader = "Second";
inline constexpr std::string_view StockSourceName = "KX7_2000.EXE track %1";
inline constexpr std::string_view ChangeValueStep = "Change value %1";
inline constexpr std::string_view ChangeEntryStep = "Change bump entry %1";
inline constexpr std::string_view AddEntryStep = "Add bump entry";
inline constexpr std::string_view RemoveEntryStep = "Remove bump entry";
inline constexpr std::string_view MoveEntryStep = "Move bump entry";
inline constexpr std::string_view CopyFromOtherStep = "Copy from the other";
inline constexpr std::string_view Saved = "Saved.";
inline constexpr std::string_view NotAWholeNumber =
    "\"%1\" is not a whole number (decimal, or hexadecimal after $ or 0x).";
inline constexpr std::string_view BumpNumberRange =
    "A bump table number runs from 0 to 65534: 65535 would end the table.";
inline constexpr std::string_view AboutItem = "About";
inline constexpr std::string_view TrackFileFilter = "KX7-2000 track files|*.dat|All files (*.*)|*.*";
inline constexpr std::string_view MagicFileFilter = "KX7-2000 magic files|*.md2|All files (*.*)|*.*";
inline constexpr std::string_view MagicFileExtension = "md2";
inline constexpr std::string_view SaveMagicTitle = "Save magic data";
inline constexpr std::string_view BrowseTitle = "Browse";
inline constexpr std::string_view Done = "Done.";

inline constexpr std::string_view AboutCaption = "About";
inline constexpr std::string_view ProgramVersion = "Vantor - 2000 version 1.00";
inline constexpr std::string_view AuthorAndDate = "The Vantor-2000 developers, 2000";
inline constexpr std::string_view Credits =
    "Thanks to : \n\nAda Lindqvist\nBruno Okafor\nCarla Mendes\nDmitri Volkov";
inline constexpr std::string_view OkButton = "OK";

inline constexpr std::string_view EditInfoCaption = "Edit KX7info";
inline constexpr std::string_view InfoNameLabel = "Name";
inline constexpr std::string_view InfoCountryLabel = "Country";
inline constexpr std::string_view InfoAuthorLabel = "Author";
inline constexpr std::string_view InfoLapsLabel = "Laps";
inline constexpr std::string_view InfoSplit1Label = "Split 1";
inline constexpr std::string_view InfoSplit2Label = "Split 2";
inline constexpr std::string_view SaveToTrackButton = "Save to track";
inline constexpr std::string_view CancelButton = "Cancel";
inline constexpr std::string_view ExeLocationCaption = "Set KX7-2000 Location";
inline constexpr std::string_view ExeLocationLabel = "KX7_2000.EXE Location : ";
inline constexpr std::string_view ExeFileFilter = "KX7_2000.EXE|KX7_2000.EXE|All files (*.*)|*.*";
inline constexpr std::string_view ExeLocationNotSet =
    "KX7_2000.EXE location not set!\r\n\r\nPlease use the menu option to set the KX7_2000.EXE location.";
inline constexpr std::string_view StockTrackCaption = "Create Magic file from KX7_2000.EXE";
inline constexpr std::string_view StockTrackPrompt = "Track number (1-17) : ";
inline constexpr std::string_view StockTrackDefault = "1";

// The window needs a desktop session; a run without one can still insert from the command line.
inline constexpr std::string_view NoDisplay =
    "vantor2000: no display: the window needs a desktop session (DISPLAY or WAYLAND_DISPLAY).\n"
    "Without one, insert from the command line: vantor2000 TRACK.dat MAGIC.md2";

// The display named by an environment variable could not be opened (no server there, or no
// permission).
std::string displayUnreachable(std::string_view variable, std::string_view display);

// "Invalid file name - %s": a file-name edit refuses the name.
std::string invalidFileName(std::string_view name);

// A bump value of 65535 reads back as the end mark, and everything behind it would be lost.
std::string bumpValueEndsTable(const std::string& fileName, int line);

} // namespace vantor::text
