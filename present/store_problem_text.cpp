// SPDX-License-Identifier: GPL-3.0-or-later
#include "present/store_problem_text.h"

#include "base/printable_text.h"
#include "base/tooth_limits.h"
#include "present/value_problem_text.h"
#include "store/data_file.h"

#include <cerrno>
#include <cstring>

namespace gearsel {

namespace {

// How long a lock was waited for: "5 秒", "5 s"; "250 毫秒", "250 ms".
std::string durationText(std::chrono::milliseconds wait, Language language) {
    if (wait.count() % 1000 == 0) {
        const std::string seconds = std::to_string(wait.count() / 1000);
        return inLanguage(language, seconds + " 秒", seconds + " s");
    }
    const std::string ms = std::to_string(wait.count());
    return inLanguage(language, ms + " 毫秒", ms + " ms");
}

// What a broken data file, a refused entry or line and its cause say, in one language.
class CauseWording {
public:
    CauseWording(const StoreProblem& problem, Language language)
        : p_(problem), language_(language) {}

    std::string cause() const;

private:
    std::string say(std::string chinese, std::string english) const {
        return inLanguage(language_, std::move(chinese), std::move(english));
    }
    std::string error() const { return errnoText(p_.error, language_); }
    std::string machine() const { return machineLabel(p_.machine, p_.name, language_); }
    std::string line() const { return p_.line > 0 ? lineLabel(p_.line, language_) : ""; }
    std::string why() const { return p_.why ? valueProblemText(*p_.why, language_) : ""; }
    std::string text() const { return p_.text ? textProblemText(*p_.text, language_) : ""; }
    // The constants file is damaged: nothing of it is read or written.
    std::string damagedConstants(const std::string& why) const {
        return say("已损坏：" + why + "；机床常数没有读入，也不会被改写。请修复或删除这个文件",
                   "is damaged: " + why +
                       "; the machine constants were not read and will not be written; repair "
                       "or delete the file");
    }
    // Entry `entry` of the constants file, on its line where known.
    std::string entry() const {
        const std::string n = std::to_string(p_.entry);
        return line() + say("第 " + n + " 项", "entry " + n);
    }
    std::string fileAccess() const;
    std::string lock() const;
    std::string dataFile() const;
    std::string constantsFile() const;
    std::string machineList() const;
    std::string saving() const;
    std::string table() const;

    const StoreProblem& p_;
    Language language_;
};

std::string CauseWording::cause() const {
    using Kind = StoreProblem::Kind;
    switch (p_.kind) {
    case Kind::Missing:
    case Kind::TooLarge:
    case Kind::CannotRead:
    case Kind::NotRegularFile:
    case Kind::ProgramFolderUnknown:
    case Kind::CannotLookAt:
    case Kind::CannotMakeWritable:
    case Kind::CannotCreateFolder:
    case Kind::NamesUnconvertible:
        return fileAccess();
    case Kind::LockTimeout:
    case Kind::LockFileNotRegular:
    case Kind::LockFileCannotOpen:
        return lock();
    case Kind::EmptyDataFile:
    case Kind::HeaderCutShort:
    case Kind::NegativeMachineCount:
    case Kind::RecordsCutShort:
    case Kind::GearCountOutOfRange:
    case Kind::GearListCutShort:
        return dataFile();
    case Kind::ConstantsNotText:
    case Kind::ConstantsNotObject:
    case Kind::ConstantsWrongFormat:
    case Kind::ConstantsWrongVersion:
    case Kind::ConstantsWrongKeys:
    case Kind::EntryNotObject:
    case Kind::EntryMachineNumber:
    case Kind::EntryWithoutName:
    case Kind::EntryUnknownKey:
    case Kind::EntryValueNotText:
    case Kind::EntryValueRefused:
    case Kind::ConstantsMachineTwice:
    case Kind::ConstantsOfStranger:
        return constantsFile();
    case Kind::ListNotText:
    case Kind::ListQuoteOpen:
    case Kind::ListWithoutZn:
    case Kind::ListZnNotInt16:
    case Kind::ListToothNotInt16:
    case Kind::ListUnknownConstant:
    case Kind::ListConstantTwice:
    case Kind::ListConstantRefused:
        return machineList();
    case Kind::OwnershipNotKept:
    case Kind::GroupWouldBeLost:
    case Kind::OwnerWouldLoseRights:
    case Kind::NoTempFile:
    case Kind::WriteFailed:
    case Kind::ModeNotSet:
    case Kind::SyncFailed:
    case Kind::CloseFailed:
    case Kind::LinkToNowhere:
    case Kind::HardLinks:
    case Kind::NotWritable:
    case Kind::ReplaceFailed:
    case Kind::AlreadyExists:
    case Kind::CannotCreate:
        return saving();
    case Kind::MachineCountToCreate:
    case Kind::TableFull:
    case Kind::NoRoomForCopy:
    case Kind::MachineCountToReplace:
    case Kind::LastMachine:
    case Kind::NoSuchMachine:
    case Kind::FileChanged:
    case Kind::MachineChanged:
    case Kind::EmptyName:
    case Kind::NameNotStorable:
    case Kind::TooManyGears:
    case Kind::ToothOutOfRange:
        return table();
    }
    return {};
}

std::string CauseWording::fileAccess() const {
    using Kind = StoreProblem::Kind;
    switch (p_.kind) {
    case Kind::Missing:
        return say("不存在", "does not exist");
    case Kind::TooLarge: {
        const std::string mib = std::to_string(p_.limit);
        return say("太大（超过 " + mib + " MiB），不能读入",
                   "is too large (over " + mib + " MiB) to be read");
    }
    case Kind::CannotRead:
        return say("无法读取：", "cannot be read: ") + error();
    case Kind::NotRegularFile: {
        const std::string kind = fileKindText(p_.fileKind, language_);
        return say("不是普通文件，而是" + kind + "，不能读入",
                   "is not a regular file but " + kind + ", so it cannot be read");
    }
    case Kind::ProgramFolderUnknown:
        return say("无法读取，找不到程序所在的文件夹：",
                   "cannot be read, so the program's folder is unknown: ") +
               error();
    case Kind::CannotLookAt:
        return say("无法读取属性：", "cannot look at it: ") + error();
    case Kind::CannotMakeWritable:
        return say("无法设为可写：", "cannot be made writable: ") + error();
    case Kind::CannotCreateFolder:
        return say("无法创建文件夹：", "cannot create the folder: ") + error();
    case Kind::NamesUnconvertible:
        return say("系统的 iconv 无法在 " + p_.key + " 和 " + p_.value +
                       " 之间转换文字，机床名称无法读写",
                   "the system's iconv cannot convert " + p_.key + " to " + p_.value +
                       ", so machine names can be neither read nor written");
    default:
        return {};
    }
}

std::string CauseWording::lock() const {
    using Kind = StoreProblem::Kind;
    const std::string& path = p_.lockFile;
    switch (p_.kind) {
    case Kind::LockTimeout: {
        const std::string wait = durationText(p_.wait, language_);
        return say("正被另一个程序修改（它占用着锁文件“" + path + "”），等了 " + wait +
                       "仍未改完；这次没有做任何改动，请稍后再试",
                   "is being changed by another program, which holds its lock file " + path +
                       "; waited " + wait +
                       " without an end, so nothing was changed; try again later");
    }
    case Kind::LockFileNotRegular: {
        const std::string kind = fileKindText(p_.fileKind, language_);
        return say("无法修改：它的锁文件“" + path + "”不是普通文件，而是" + kind +
                       "；锁文件不存放任何内容，删除它后再试",
                   "cannot be changed: its lock file " + path + " is not a regular file but " +
                       kind + "; a lock file holds nothing, so remove it and try again");
    }
    case Kind::LockFileCannotOpen:
        return say("无法修改：不能打开它的锁文件“" + path + "”，",
                   "cannot be changed: its lock file " + path + " cannot be opened: ") +
               error();
    default:
        return {};
    }
}

std::string CauseWording::dataFile() const {
    using Kind = StoreProblem::Kind;
    const std::string bytes = std::to_string(p_.size);
    const std::string count = std::to_string(p_.count);
    const auto damaged = [&](const std::string& chinese, const std::string& english) {
        return say("已损坏：" + chinese, "is damaged: " + english);
    };
    switch (p_.kind) {
    case Kind::EmptyDataFile:
        return say("是空的，不是挂轮数据文件", "is empty, not a change-gear data file");
    case Kind::HeaderCutShort:
        return damaged("它只有 " + bytes + " 字节，装不下表头",
                       "its " + bytes + " bytes cannot hold the header");
    case Kind::NegativeMachineCount:
        return damaged("表头中的机床数量是 " + count, "the header counts " + count + " machines");
    case Kind::RecordsCutShort:
        return damaged("它只有 " + bytes + " 字节，装不下表头所说的 " + count + " 台机床",
                       "its " + bytes + " bytes cannot hold the " + count +
                           " machines the header counts");
    case Kind::GearCountOutOfRange: {
        const std::string room = std::to_string(p_.limit);
        return damaged(machine() + "的挂轮数是 " + count + "，应在 0 到 " + room + " 之间",
                       machine() + " has " + count + " gears, not 0 to " + room);
    }
    case Kind::GearListCutShort:
        return damaged(machine() + "的挂轮表不完整（文件只有 " + bytes + " 字节）",
                       machine() + "'s gear list is cut short (the file has " + bytes + " bytes)");
    default:
        return {};
    }
}

std::string CauseWording::constantsFile() const {
    using Kind = StoreProblem::Kind;
    const std::string& key = p_.key;
    switch (p_.kind) {
    case Kind::ConstantsNotText:
        return damagedConstants(text());
    case Kind::ConstantsNotObject: {
        const bool array = key == "array";
        return damagedConstants(say("它是一个 JSON " + std::string(array ? "数组" : "值") +
                                        "，而机床常数文件是一个对象 {\"format\": …}",
                                    "it is a JSON " + std::string(array ? "array" : "value") +
                                        ", but a constants file is an object {\"format\": ...}"));
    }
    case Kind::ConstantsWrongFormat:
        return damagedConstants(
            say("不是机床常数文件（format 应是“" + key + "”）",
                "it is no machine constants file (format must be '" + key + "')"));
    case Kind::ConstantsWrongVersion: {
        const std::string v = std::to_string(p_.count);
        return damagedConstants(
            say("版本不是 " + v + "，可能由更新的程序写成",
                "its version is not " + v + "; a newer program may have written it"));
    }
    case Kind::ConstantsWrongKeys:
        return damagedConstants(
            say("应只有 format、version 和 machines 三个键，machines 是一个数组",
                "it must hold only format, version and an array machines"));
    case Kind::EntryNotObject:
        return damagedConstants(entry() + say("不是一个对象", " is not an object"));
    case Kind::EntryMachineNumber: {
        const std::string most = std::to_string(p_.limit);
        return damagedConstants(entry() +
                                say("的 machine 应是 1 到 " + most + " 的整数",
                                    ": machine must be a whole number from 1 to " + most));
    }
    case Kind::EntryWithoutName:
        return damagedConstants(
            entry() + say("缺少文字的机床名称 name", " lacks the machine's name as a text"));
    case Kind::EntryUnknownKey:
        return damagedConstants(
            entry() + say("有不认识的键“" + key + "”", " has the unknown key '" + key + "'"));
    case Kind::EntryValueNotText:
        return damagedConstants(entry() +
                                say("的 " + key + " 应是文字", ": " + key + " must be a text"));
    case Kind::EntryValueRefused:
        return damagedConstants(entry() + say("的 " + key + " 不可用（" + why() + "）",
                                              ": " + key + " cannot be used (" + why() + ")"));
    case Kind::ConstantsMachineTwice:
        return damagedConstants(machine() + say("出现了两次", " appears twice"));
    case Kind::ConstantsOfStranger:
        return say("属于用户“" + p_.owner + "”，既不是数据文件的所有者“" + p_.dataOwner +
                       "”，也不是当前用户“" + p_.user +
                       "”，而它所在的文件夹人人都可以写入，所以其中的机床常数不予采用；请删除"
                       "它，或确认无误后把它交给“" +
                       p_.dataOwner + "”",
                   "belongs to the user '" + p_.owner + "', who owns neither the data file ('" +
                       p_.dataOwner + "') nor this run ('" + p_.user +
                       "'), in a folder where anyone may make files, so its machine constants "
                       "are not used; delete it, or give it to '" +
                       p_.dataOwner + "' once you have checked it");
    default:
        return {};
    }
}

std::string CauseWording::machineList() const {
    using Kind = StoreProblem::Kind;
    const std::string& key = p_.key;
    const std::string& value = p_.value;
    switch (p_.kind) {
    case Kind::ListNotText:
        return text();
    case Kind::ListQuoteOpen:
        return line() + say("引号没有正确结束", "a quote does not end");
    case Kind::ListWithoutZn:
        return line() + say("缺少 Zn（格式是：名称,Zn,齿数,齿数,…）",
                            "Zn is missing (the format is name,Zn,teeth,teeth,...)");
    case Kind::ListZnNotInt16:
        return line() + say("Zn “" + value + "”不是 16 位整数",
                            "Zn '" + value + "' is not a 16-bit whole number");
    case Kind::ListToothNotInt16:
        return line() + say("齿数 “" + value + "”不是 16 位整数",
                            "tooth count '" + value + "' is not a 16-bit whole number");
    case Kind::ListUnknownConstant:
        return line() +
               say("“" + key + "”不是机床常数（可用的有 leadscrew、gearbox、k、c、n）",
                   "'" + key +
                       "' is no machine constant (they are leadscrew, gearbox, k, c and n)");
    case Kind::ListConstantTwice:
        return line() +
               say("常数 " + key + " 出现了两次", "the constant " + key + " is given twice");
    case Kind::ListConstantRefused:
        return line() +
               say("常数 " + key + "=" + value + " 不可用（" + why() + "）",
                   "the constant " + key + "=" + value + " cannot be used (" + why() + ")");
    default:
        return {};
    }
}

std::string CauseWording::saving() const {
    using Kind = StoreProblem::Kind;
    const std::string& owner = p_.owner;
    const std::string& group = p_.group;
    switch (p_.kind) {
    case Kind::OwnershipNotKept:
        return say("无法保存：不能保留它的所有者和用户组，",
                   "cannot be saved: its owner and group cannot be kept: ") +
               error();
    case Kind::GroupWouldBeLost:
        return say("无法保存：保存后它将不再属于用户组“" + group +
                       "”，组里的用户会失去权限；请由它的所有者“" + owner + "”或管理员保存",
                   "cannot be saved: it would no longer belong to the group '" + group +
                       "', whose users would lose their rights; let its owner '" + owner +
                       "' or an administrator save it");
    case Kind::OwnerWouldLoseRights:
        return say("无法保存：它属于用户“" + owner + "”，保存后将归用户“" + p_.user + "”所有，而“" +
                       owner + "”不能通过用户组“" + group + "”保留原有的权限；请由“" + owner +
                       "”或管理员保存",
                   "cannot be saved: it belongs to '" + owner + "' and would become '" + p_.user +
                       "''s, and '" + owner + "' could not keep its rights through the group '" +
                       group + "'; let '" + owner + "' or an administrator save it");
    case Kind::NoTempFile:
        return say("无法保存：不能在它所在的文件夹中创建临时文件（" + error() + "）",
                   "cannot be saved: no temporary file can be made beside it (" + error() + ")");
    case Kind::WriteFailed:
        return say("无法保存：写入新内容时出错，",
                   "cannot be saved: writing the new content failed: ") +
               error();
    case Kind::ModeNotSet:
        return say("无法保存：不能设置新文件的权限，",
                   "cannot be saved: the new file's permissions cannot be set: ") +
               error();
    case Kind::SyncFailed:
        return say("无法保存：新内容写不到磁盘上，",
                   "cannot be saved: the new content does not reach the disk: ") +
               error();
    case Kind::CloseFailed:
        return say("无法保存：关闭新文件时出错，",
                   "cannot be saved: closing the new file failed: ") +
               error();
    case Kind::LinkToNowhere:
        return say("无法保存：它是一个找不到目标的链接",
                   "cannot be saved: it is a link whose target is missing");
    case Kind::HardLinks: {
        const std::string names = std::to_string(p_.count);
        return say("无法保存：它有 " + names +
                       " 个硬链接（同一个文件有几个名称）。保存会写出一个新文件，只替换其中一个名"
                       "称，其他名称仍指向旧内容，通过不同名称修改它的程序会互相丢失改动。请删除多"
                       "余的硬链接，需要第二个名称时改用符号链接（ln -s）",
                   "cannot be saved: it has " + names +
                       " hard links (names for one file). A save writes a new file under one "
                       "name only, so the other names would keep the old content and programs "
                       "working through different names would lose each other's changes. Remove "
                       "the extra links; use a symbolic link (ln -s) for a second name");
    }
    case Kind::NotWritable:
        return say("无法写入：", "cannot be written: ") + error();
    case Kind::ReplaceFailed:
        return say("无法保存：不能用新内容替换它，",
                   "cannot be saved: the new content cannot replace it: ") +
               error();
    case Kind::AlreadyExists:
        return say("已经存在，没有覆盖", "exists and was not replaced");
    case Kind::CannotCreate:
        return say("无法创建：", "cannot be created: ") + error();
    default:
        return {};
    }
}

std::string CauseWording::table() const {
    using Kind = StoreProblem::Kind;
    const std::string count = std::to_string(p_.count);
    const std::string most = std::to_string(p_.limit);
    // "cannot store the gear list of machine 'A': ..."
    const auto gearList = [&](const std::string& chinese, const std::string& english) {
        return say("不能保存机床“" + p_.name + "”的挂轮表：" + chinese,
                   "cannot store the gear list of machine '" + p_.name + "': " + english);
    };
    switch (p_.kind) {
    case Kind::MachineCountToCreate:
        return say("无法创建：一个数据文件要有 1 到 " + most + " 台机床",
                   "cannot be created: a data file holds 1 to " + most + " machines");
    case Kind::TableFull: {
        const std::string more = std::to_string(p_.adding);
        return say("中已有 " + count + " 台机床，最多只能有 " + most + " 台，不能再添加" +
                       (p_.adding > 1 ? " " + more + " 台" : std::string()),
                   "holds " + count + " machines of at most " + most + ": " +
                       (p_.adding > 1 ? more + " more do not fit" : std::string("no more fits")));
    }
    case Kind::NoRoomForCopy:
        return say("中已有 " + count + " 台机床，最多只能有 " + most + " 台，不能再复制",
                   "holds " + count + " machines of at most " + most + ": no copy fits");
    case Kind::MachineCountToReplace:
        return say("的机床表不能换成 " + count + " 台机床：一个数据文件要有 1 到 " + most + " 台",
                   "cannot take a table of " + count +
                       " machines in place of its own: a data file holds 1 to " + most);
    case Kind::LastMachine:
        return say("中只剩" + machine() + "，不能删除最后一台机床",
                   "holds only " + machine() + "; the last machine cannot be deleted");
    case Kind::NoSuchMachine: {
        const std::string number = std::to_string(p_.machine + 1);
        return say("中没有第 " + number + " 台机床（共 " + count + " 台）",
                   "has no machine " + number + " (it holds " + count + ")");
    }
    case Kind::FileChanged:
        return say("已被另一个程序修改，请重新读入后再试",
                   "was changed by another program; read it again and retry");
    case Kind::MachineChanged:
        return say("已被另一个程序修改：" + machine() +
                       "已不是刚才读到的样子，这次操作没有进行；请重新读入后再试",
                   "was changed by another program: " + machine() +
                       " is no longer as it was read, so nothing was done; read the file again "
                       "and retry");
    case Kind::EmptyName:
        return say("中的机床名称不能是空的", "cannot take an empty machine name");
    case Kind::NameNotStorable: {
        using Name = NameProblem::Kind;
        const std::string c = p_.nameProblem ? p_.nameProblem->character : "";
        const std::string why =
            !p_.nameProblem ? std::string()
            : p_.nameProblem->kind == Name::NotUtf8
                ? say("名称不是有效的 UTF-8 文本", "the name is not valid UTF-8 text")
            : p_.nameProblem->kind == Name::ControlCharacter
                ? say("名称中不能有控制字符", "a name cannot hold control characters")
                : say("名称中的字符“" + c + "”不能用 GBK 编码",
                      "the character '" + c + "' has no GBK code");
        return say("不能保存这个机床名称：", "cannot store this machine name: ") + why;
    }
    case Kind::TooManyGears:
        return gearList("最多 " + most + " 个挂轮，这里有 " + count + " 个",
                        "it holds at most " + most + " gears, not " + count);
    case Kind::ToothOutOfRange: {
        const std::string low = std::to_string(kMinTeeth);
        const std::string high = std::to_string(kMaxTeeth);
        return gearList("齿数 " + count + " 不在 " + low + " 到 " + high + " 之间",
                        "tooth count " + count + " is outside " + low + " to " + high);
    }
    default:
        return {};
    }
}

} // namespace

std::string storeProblemText(const StoreProblem& problem, Language language) {
    const std::string cause = CauseWording(problem, language).cause();
    if (problem.file.empty()) {
        return printableText(cause);
    }
    return printableText(
        inLanguage(language, "文件“" + problem.file + "”" + cause, problem.file + ": " + cause));
}

std::string textProblemText(const TextProblem& problem, Language language) {
    using Kind = TextProblem::Kind;
    const std::string line = lineLabel(problem.line, language);
    const std::string& detail = problem.detail;
    // "是 UTF-16 编码的文本", said of the file.
    const auto wide = [&](const std::string& name) {
        return inLanguage(language,
                          "是 " + name + " 编码的文本，不是 UTF-8；请在编辑器中把它另存为 UTF-8",
                          "is " + name + " text, not UTF-8; save it as UTF-8 in an editor");
    };
    switch (problem.kind) {
    case Kind::Utf16:
        return wide("UTF-16");
    case Kind::Utf32:
        return wide("UTF-32");
    case Kind::NulByte:
        return line + inLanguage(language, "有空字节（NUL），这不是文本文件",
                                 "holds a NUL byte, so this is no text");
    case Kind::NotUtf8:
        return line + inLanguage(language,
                                 "有不属于 UTF-8 的字节 " + detail + "；请把文件存为 UTF-8",
                                 "the byte " + detail + " is not UTF-8; save the file as UTF-8");
    case Kind::TooDeep: {
        const std::string most = std::to_string(problem.limit);
        return inLanguage(language, "嵌套超过 " + most + " 层",
                          "it nests deeper than " + most + " levels");
    }
    case Kind::NotJson: {
        // The parser's own account is English; the Chinese sentence says where, and no more.
        const std::string l = std::to_string(problem.line);
        const std::string column = std::to_string(problem.column);
        return printableText(
            inLanguage(language, "第 " + l + " 行第 " + column + " 列不是有效的 JSON",
                       "line " + l + ", column " + column + ": not valid JSON (" + detail + ")"));
    }
    case Kind::KeyTwice: {
        const std::string first = std::to_string(problem.firstLine);
        return printableText(
            line +
            inLanguage(language,
                       "键“" + detail + "”在同一个对象里出现了两次（第一次在第 " + first + " 行）",
                       "the key '" + detail +
                           "' appears twice in one object (first on "
                           "line " +
                           first + ")"));
    }
    case Kind::NumberTooLarge:
        return line + inLanguage(language, "数 " + detail + " 太大，超出了程序能表示的范围",
                                 "the number " + detail + " is too large to be represented");
    }
    return {};
}

std::string lineLabel(int line, Language language) {
    const std::string number = std::to_string(line);
    return inLanguage(language, "第 " + number + " 行：", "line " + number + ": ");
}

std::string machineLabel(int index, const std::string& name, Language language) {
    const std::string number = std::to_string(index + 1);
    return inLanguage(language, "第 " + number + " 台机床“" + name + "”",
                      "machine " + number + " '" + name + "'");
}

std::string errnoText(int error, Language language) {
    switch (error) {
    case ENOENT:
        return inLanguage(language, "文件或文件夹不存在", "no such file or folder");
    case EACCES:
    case EPERM:
        return inLanguage(language, "没有访问权限", "permission denied");
    case EROFS:
        return inLanguage(language, "所在的文件系统是只读的", "the file system is read-only");
    case ENOSPC:
        return inLanguage(language, "磁盘已满", "disk full");
    case EDQUOT:
        return inLanguage(language, "超出了磁盘配额", "disk quota exceeded");
    case EIO:
        return inLanguage(language, "磁盘读写出错", "input/output error");
    case EISDIR:
        return inLanguage(language, "这是一个文件夹", "it is a folder");
    case ENOTDIR:
        return inLanguage(language, "路径中有一级不是文件夹", "a part of the path is not a folder");
    case ENAMETOOLONG:
        return inLanguage(language, "路径太长", "the path is too long");
    case EBUSY:
    case ETXTBSY:
        return inLanguage(language, "文件正被占用", "the file is busy");
    case EMFILE:
    case ENFILE:
        return inLanguage(language, "打开的文件太多", "too many open files");
    case EEXIST:
        return inLanguage(language, "文件已经存在", "the file exists");
    case EFBIG:
        return inLanguage(language, "文件太大", "the file is too large");
    case ELOOP:
        return inLanguage(language, "符号链接太多或互相指向", "too many levels of symbolic links");
    default:
        break;
    }
    // The system's own words are English here, so the Chinese says only the number.
    const std::string number = std::to_string(error);
    return inLanguage(language, "系统错误（错误号 " + number + "）",
                      std::string(std::strerror(error)) + " (error " + number + ")");
}

std::string fileKindText(FileKind kind, Language language) {
    switch (kind) {
    case FileKind::Regular:
        return inLanguage(language, "一个普通文件", "a regular file");
    case FileKind::Folder:
        return inLanguage(language, "一个文件夹", "a folder");
    case FileKind::Pipe:
        return inLanguage(language, "一个命名管道（FIFO）", "a named pipe (FIFO)");
    case FileKind::CharDevice:
        return inLanguage(language, "一个字符设备", "a character device");
    case FileKind::BlockDevice:
        return inLanguage(language, "一个块设备", "a block device");
    case FileKind::Socket:
        return inLanguage(language, "一个套接字", "a socket");
    case FileKind::SymbolicLink:
        return inLanguage(language, "一个符号链接", "a symbolic link");
    case FileKind::Other:
        break;
    }
    return inLanguage(language, "一个特殊文件", "a special file");
}

std::string dataFileNotFoundText(const DataPlaces& places, Language language) {
    const std::string name = kDataFileName;
    const std::string beside = places.beside.string();
    const std::string seed = places.seed.string();
    const std::string perUser = places.perUser.string();
    if (language == Language::Chinese) {
        return printableText("找不到数据文件 " + name + "，查找过：" + beside +
                             "（程序所在的文件夹）、" +
                             (perUser.empty() ? "用户的数据文件夹（找不到用户的主文件夹）"
                                              : perUser + "（用户的数据文件）") +
                             "、" + seed + "（随程序安装的默认数据）");
    }
    return printableText("no data file " + name + " found; looked at " + beside +
                         " (beside the program), " +
                         (perUser.empty() ? "the user's data folder (no home folder found)"
                                          : perUser + " (the user's data file)") +
                         " and " + seed + " (the installed default data)");
}

} // namespace gearsel
