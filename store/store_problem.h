// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why the data store cannot do what it was asked: a kind and its data (the file, the system's
// error number, the names, the line and the key, the counts). The store holds no sentence; the
// surfaces word each kind in their own language (present/store_problem_text.h).

#include "engine/value_problem.h"
#include "store/file_info.h"

#include <chrono>
#include <optional>
#include <string>

namespace gearsel {

// Why a file that a user wrote or chose (a list of machines, the constants file) is no text,
// or no JSON, that the store can read; and where.
struct TextProblem {
    enum class Kind {
        Utf16,          // UTF-16 text, as some Windows editors save it
        Utf32,          // UTF-32 text
        NulByte,        // a NUL byte on `line`, so no text at all
        NotUtf8,        // the byte `detail` ("0xff") on `line` is not UTF-8
        TooDeep,        // JSON nested deeper than `limit` levels
        NotJson,        // not JSON at `line`, `column`; `detail` is the parser's own account
        KeyTwice,       // the key `detail` twice in one object, on `line` and on `firstLine`
        NumberTooLarge, // the number `detail` on `line` is beyond the range of doubles
    };
    Kind kind;
    int line = 0;
    int column = 0;
    int firstLine = 0;
    int limit = 0;
    std::string detail = {};
};

// Why a machine name cannot be stored as GBK.
struct NameProblem {
    enum class Kind {
        NotUtf8,          // the name is no UTF-8 text
        ControlCharacter, // it holds a control character
        NotInGbk,         // GBK has no code for the character `character`
    };
    Kind kind;
    std::string character = {};
};

struct StoreProblem {
    enum class Kind {
        // Reading and finding files; `file` is the file.
        Missing,              // it does not exist
        TooLarge,             // it is larger than `limit` MiB
        CannotRead,           // it cannot be read: `error`
        NotRegularFile,       // it is a `fileKind`, not a regular file
        ProgramFolderUnknown, // /proc/self/exe cannot be read: `error`
        CannotLookAt,         // its status cannot be read: `error`
        CannotMakeWritable,   // its mode cannot be changed: `error`
        CannotCreateFolder,   // the folder `file` cannot be made: `error`
        NamesUnconvertible,   // the system's iconv cannot convert `key` to `value` (no file)

        // The write lock of the data file `file`, whose lock file is `lockFile`.
        LockTimeout,        // another program held it for all of `wait`
        LockFileNotRegular, // the lock file is a `fileKind`
        LockFileCannotOpen, // the lock file cannot be opened: `error`

        // The content of the data file `file`, which holds `size` bytes.
        EmptyDataFile,        // it is empty
        HeaderCutShort,       // too short for the header
        NegativeMachineCount, // the header counts `count` (below 0) machines
        RecordsCutShort,      // too short for the `count` machines the header counts
        GearCountOutOfRange,  // machine `machine` (`name`) has `count` gears, not 0 to `limit`
        GearListCutShort,     // machine `machine` (`name`)'s gear list ends past the file

        // The constants file `file`. All but the last mean it is damaged: its constants are
        // neither read nor written.
        ConstantsNotText,      // no text or no JSON: `text`
        ConstantsNotObject,    // the document is a JSON `key` ("array", "number", ...)
        ConstantsWrongFormat,  // its format is not `key`
        ConstantsWrongVersion, // its version is not `count`
        ConstantsWrongKeys,    // other keys than format, version and the array machines
        EntryNotObject,        // entry `entry` (on `line`) is no object
        EntryMachineNumber,    // entry `entry`'s machine is no whole number 1 to `limit`
        EntryWithoutName,      // entry `entry` has no name as a text
        EntryUnknownKey,       // entry `entry` has the unknown key `key`
        EntryValueNotText,     // entry `entry`'s `key` is no text
        EntryValueRefused,     // entry `entry`'s `key` is no value the formulas take: `why`
        ConstantsMachineTwice, // machine `machine` (`name`) has two entries
        ConstantsOfStranger,   // it belongs to `owner`, neither the data file's owner
                               // `dataOwner` nor `user`, in a folder anyone may write to

        // A list of machines `file` to import; each on `line`.
        ListNotText,         // no UTF-8 text: `text`
        ListQuoteOpen,       // a quote does not end
        ListWithoutZn,       // a line without Zn
        ListZnNotInt16,      // the Zn `value` is no 16-bit whole number
        ListToothNotInt16,   // the tooth count `value` is no 16-bit whole number
        ListUnknownConstant, // `key` is no machine constant
        ListConstantTwice,   // the constant `key` twice on one line
        ListConstantRefused, // the constant `key`=`value` is no value the formulas take: `why`

        // Saving the file `file` (crash-safe: a temporary file beside it takes its place).
        OwnershipNotKept,     // its owner and group cannot be kept: `error`
        GroupWouldBeLost,     // the save would take it from the group `group` (owner `owner`)
        OwnerWouldLoseRights, // it would pass from `owner` to `user`, and `owner` could not keep
                              // its rights through the group `group`
        NoTempFile,           // no temporary file can be made beside it: `error`
        WriteFailed,          // writing the new content failed: `error`
        ModeNotSet,           // the new file's permissions cannot be set: `error`
        SyncFailed,           // the new content does not reach the disk: `error`
        CloseFailed,          // closing the new file failed: `error`
        LinkToNowhere,        // a symbolic link whose target is missing
        HardLinks,            // it has `count` names (hard links)
        NotWritable,          // it may not be written: `error`
        ReplaceFailed,        // the new content cannot take its place: `error`
        AlreadyExists,        // a file to create is there already
        CannotCreate,         // a file to create cannot be made: `error`

        // Changes to the machine table of the data file `file`.
        MachineCountToCreate,  // a new data file holds 1 to `limit` machines
        TableFull,             // it holds `count` of at most `limit` machines; `adding` do not fit
        NoRoomForCopy,         // it holds `count` of at most `limit` machines: no copy fits
        MachineCountToReplace, // a table of `count` machines cannot replace it (1 to `limit`)
        LastMachine,           // machine `machine` (`name`) is the last one: it stays
        NoSuchMachine,         // it holds no machine `machine` (from 0); it holds `count`
        FileChanged,           // another program changed it since it was read
        MachineChanged,        // another program changed machine `machine` (`name`)
        EmptyName,             // a machine name that is empty
        NameNotStorable,       // a machine name that GBK cannot hold: `nameProblem`
        TooManyGears,          // machine `name`'s `count` gears exceed the room of `limit`
        ToothOutOfRange,       // machine `name`'s tooth count `count` is outside 10 to 255
    };
    Kind kind;
    std::string file = {};                // the file it is about, as given; empty for none
    int error = 0;                        // the system's error number (errno)
    FileKind fileKind = FileKind::Other;  // what is there instead of a regular file
    std::string lockFile = {};            // the data file's lock file
    std::chrono::milliseconds wait{0};    // how long the lock was waited for
    long long size = 0;                   // the file's size in bytes
    long long count = 0;                  // machines, gears, names, a version, a tooth count
    long long limit = 0;                  // the most there may be
    long long adding = 0;                 // machines that were to be added
    int line = 0;                         // from 1; 0 when unknown
    int entry = 0;                        // an entry of the constants file, from 1
    int machine = -1;                     // a machine's place in the table, from 0
    std::string name = {};                // that machine's name
    std::string key = {};                 // a key of a file
    std::string value = {};               // a value of a file, as written
    std::string owner = {};               // user names: the file's owner,
    std::string dataOwner = {};           // the data file's owner,
    std::string user = {};                // the user who runs the program,
    std::string group = {};               // and the file's group
    std::optional<TextProblem> text = {}; // why the text is no text or no JSON
    std::optional<NameProblem> nameProblem = {};
    std::optional<ValueProblem> why = {}; // why a constant's value cannot be used
};

} // namespace gearsel
