#pragma once

namespace rectix::core {

// The slots of the message table, named by what the text says. The numbers are the text sets'
// (data): every language fills the same slot with its own words.
enum class Msg {
    DeleteBox = 1,
    PrintBoxLibrary = 2,
    DeleteContainer = 3,
    PrintContainerLibrary = 4,
    PasteFromClipboard = 7,
    PasteFailed = 8,
    NoTextOnClipboard = 9,
    ExportSet = 10,
    ImportSet = 11,
    SetIsEmpty = 13,
    DeleteAllOf = 14, // "Are you sure to delete all" + set name + SetDataQuestion
    SetDataQuestion = 15,
    ExportCopyFailed = 16,
    AddTaskToExport = 17,
    PositiveIntegerUpTo = 18,
    SettingsFileUnreadable = 19,
    SettingsFileUnwritable = 20,
    PrintSolution = 21,
    PrintOtherContainer = 22,
    WriteSolutionFiles = 24,
    SolutionFilesWritten = 25,
    SolutionFilesFailed = 26,
    ClearSolution = 34,
    TooManyContainers = 38,
    TooManyBoxes = 39,
    DefineContainers = 42,
    DefineBoxes = 43,
    NoDefaultPrinter = 44,
    TurnOnPrinter = 45,
    SetFolderNotFound = 46,
    PrintTask = 47,
    ExitProgram = 48,
    ClearBeforeEditing = 51,
    EditInTheLibrary = 52,
    DeleteCancelled = 60,
    ContainerTypeInTask = 61,
    ContainerTypeInExport = 62,
    BoxKindInTask = 63,
    BoxKindInExport = 64,
    ExportLibraryReadOnly = 65,
    ChangeAfterClearing = 66,
    EditCancelled = 67,
    SetBusyOrIncorrect = 73,
    RowWithoutAmount = 74,
    NegativeCost = 75,
    TablesBusyOrWrong = 76,
    ModifyContainerType = 77,
    ModifyBoxKind = 78,
    ForAllTasks = 79,
    ForAllRows = 80,
    AxleDisplacements = 81,
    DuplicateContainerType = 82,
    DuplicateBoxKind = 83,
    AvailBelowUsed = 84,
    DefineContainerType = 85,
    TotalBelowPlaced = 86,
    DefineBoxKind = 87,
    ContainerTypeFixed = 88,
    BoxKindFixed = 89,
    ContainerDeficit = 91,
    FixingOmitted = 92,
    BoxDeficit = 93,
    LeftBoxes = 96,
    LastContainer = 97,
    PrintImage = 99,
    NothingToDelete = 100,
    SeeImportLine = 101,
    ImportLinesOmitted = 102,
    BoxLengthsUpTo = 103,
    BoxWidthsUpTo = 104,
    BoxWeightsUpTo = 105,
    BoxNumbersUpTo = 106,
    BoxKindsUndefined = 107,
    BoxMarkInvalid = 108,
    ImportFileError = 109,
    TurnRuleSigns = 110,
    MathErrorOpening = 119,
    DuplicateTask = 120,
    FileDateCorrected = 121,
    FileDateNotCorrected = 122,
    // Refusals of stored data that the table rules would not let in (rows from another program,
    // damaged files); %1, %2, ... are the values named.
    TaskRefused = 130,      // task name, what is wrong
    StoredSetting = 131,    // a ValueOutside or PackedOutside
    ValueOutside = 132,     // field, value, least, largest
    ValueMustBeFrom = 133,  // field, least, largest
    PackedOutside = 134,    // field, value, least, largest of the low part, of the high part
    ContainerTypeRow = 135, // type name, what is wrong
    BoxKindRow = 136,       // kind name, what is wrong
    NoSupportSpan = 137,
    NotOfItsType = 138,          // field, value shown
    StoredBox = 139,             // box number, container number
    NotInsideContainer = 140,    // a StoredBox
    SolutionContainerPast = 141, // container number, the task's container count
    BoxNotInTask = 142,          // a StoredBox, the task's box count
    BoxOfAnotherKind = 143,      // a StoredBox, box number
    BoxStoredTwice = 144,        // a StoredBox
    PositionsMiscounted = 145,   // container number, positions, the row's count
    KindMiscounted = 146,        // container number, boxes, kind name, the row's count
    KindNotListed = 147,         // container number
    BoxesOverlap = 148,          // container number
    // Refusals of a value typed or assigned to a field: the value, the field's column title.
    NotAnInteger = 149,
    NotAFloat = 150,
    NotABoolean = 151,
    NotADate = 152,
    NotAChoice = 153,      // no row of the lookup table holds the value
    OutOfFieldRange = 154, // value, field, least, largest
    // Refusals of a Solve whose figures a run could not hold, although each value fits its field.
    SideTooLong = 155,         // field, value, largest, item gap
    UsableSideTooLong = 156,   // field, value, largest, item gap, edge gap
    SupportSpanTooShort = 157, // span, load, least span
    // A stored value that a figure could not be computed from.
    ValueUnusable = 158, // field, value, the error
    // A second row of a task's containers or boxes with one TypeID or KindID.
    KeyRepeated = 159, // value, field
    // Where a refusal of stored data lies: the table, the row by its keys, the field.
    StoredRow = 160,              // table, row, what is wrong
    StoredField = 161,            // table, row, field, what is wrong
    ContainerOfAnotherType = 162, // container number
    SidesNotOfKind = 163,         // a StoredBox, placed length, width, the kind's length, width
    TurnedNotAllowed = 164,       // a StoredBox
    LoadNoNotInSequence = 165,    // a StoredBox, load number, the container's box count
    NoContainerRow = 166,         // a StoredBox
    LoadOverCapacity = 167,       // container number, its load, its type's LoadWt, the most a fill loads
    TotalNotOfBoxes = 168,        // container number, the figure its boxes give, the stored one
    PlacedNotOfBoxes = 169,       // boxes placed, kind name, the stored count
    FileNotConfirmed = 170,       // the files replaced, the cause
};

// The slots of the caption table.
enum class Caption {
    Fix = 1,
    ClearRecords = 2,
    Edit = 3,
    PrintList = 4,
    EmptyActiveSet = 31, // 32 the export set, 33 the import set
    HomeSetOn = 34,      // 35 the export set, 36 the import set
    TaskCopying = 37,
    ReadingTask = 41,
    ReadingSolution = 42,
    ClearingSolution = 43,
    FixedObjects = 44,
    WritingSolution = 45,
    DeletingTask = 46,
    PleaseWait = 50,
    Seconds = 51,
    EscToAbort = 52,
    PackingProgress = 53,
    Run = 54,
    Aborted = 55,
    TaskPage = 59,
    Yes = 61,
    No = 62,
    ClearButton = 63,
    SolveButton = 64,
    BoxLibrary = 65,
    Number = 66, // the printed totals' prefixes
    LoadWgt = 67,
    Area = 68,
    Weight = 69,
    NoSetOn = 70, // the active-set label when no set could be opened
};

// The slots of the hint table.
enum class Hint {
    ClearRecords = 1,
    PrintList = 2,
    ClearButton = 21,
    SolveButton = 22,
};

} // namespace rectix::core
