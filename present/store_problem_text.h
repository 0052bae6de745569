// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the data store reports, in the words of each surface (see wording.h): its problems, and
// the few phrases that name its parts (a machine, a line, a system error).

#include "present/wording.h"
#include "store/data_location.h"
#include "store/store_problem.h"

#include <string>

namespace gearsel {

// The problem as one line naming the file and the cause: "文件“/data/system.lib”无法写入：磁盘已
// 满" for a message box, "/data/system.lib: cannot be written: disk full" for the command line;
// the cause alone when it is about no file.
std::string storeProblemText(const StoreProblem& problem, Language language);

// Why a user's file is no text or no JSON, with the line where there is one: "第 3 行：有不属于
// UTF-8 的字节 0xff；请把文件存为 UTF-8", "line 3: the byte 0xff is not UTF-8; ...".
std::string textProblemText(const TextProblem& problem, Language language);

// "第 3 行：", "line 3: ".
std::string lineLabel(int line, Language language);

// How a sentence names machine `index` (from 0): "第 3 台机床“CA6140”", "machine 3 'CA6140'".
std::string machineLabel(int index, const std::string& name, Language language);

// A system error number in a few words: "磁盘已满", "disk full" for ENOSPC; numbers without
// words of their own get the system's text (in English) and the number.
std::string errnoText(int error, Language language);

// What a name in the file system is instead of a regular file: "一个命名管道（FIFO）", "a named
// pipe (FIFO)".
std::string fileKindText(FileKind kind, Language language);

// Every place looked at for a data file, when none was found.
std::string dataFileNotFoundText(const DataPlaces& places, Language language);

} // namespace gearsel
