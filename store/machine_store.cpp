#include "store/machine_store.h"

#include "store/gbk_name.h"
#include "store/safe_write.h"
#include "store/store_error.h"

#include <algorithm>
#include <cerrno>

namespace gearsel {

// Rules for files the program did not write itself, and why:
// - A header count above 255 reads as 255 (the next save writes 255).
// - A negative header count, a negative gear count or one above 412 (the room of a slot) is
//   nothing the program ever writes; the file is reported as damaged rather than guessed at,
//   and it is not written, so nothing more is lost.
// - A file too short for its header, for the records its count claims, or for the gear
//   lists of its machines is reported as damaged for the same reason.
// - A file larger than any data file can be (16 MiB) is refused before it is read.
// - A file with a count of 0 opens with an empty table; adding a machine repairs it.

namespace {

constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

std::string machineLabel(int index, const std::string& name) {
    return "第 " + std::to_string(index + 1) + " 台机床“" + name + "”";
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Writes the header and the records of `table`; records after the table stay as they are.
void writeTable(LibImage& image, const std::vector<MachineEntry>& table) {
    image.writeRecord(kHeaderRecord,
                      {encodeName(kHeaderTitle).bytes, 0, static_cast<std::int16_t>(table.size())});
    for (std::size_t i = 0; i < table.size(); ++i) {
        const MachineEntry& entry = table[i];
        image.writeRecord(static_cast<int>(i) + 7, {entry.rawName, entry.zn, entry.gearCount});
    }
}

std::vector<std::int16_t> clampedTeeth(std::vector<std::int16_t> gears) {
    for (auto& tooth : gears) {
        tooth = static_cast<std::int16_t>(std::clamp<int>(tooth, kMinTooth, kMaxTooth));
    }
    return gears;
}

} // namespace

MachineStore MachineStore::open(const std::string& path, FileSystem& fs) {
    MachineStore store(path, fs);
    const LibImage image = store.readImage();
    const auto damaged = [&](const std::string& why) { return StoreError(path, "已损坏：" + why); };
    const std::string size = std::to_string(image.size()) + " 字节";

    if (image.size() == 0) {
        throw StoreError(path, "是空的，不是挂轮数据文件");
    }
    if (!image.holds(recordOffset(kHeaderRecord), kRecordSize)) {
        throw damaged("它只有 " + size + "，装不下表头");
    }
    const int stored = image.readRecord(kHeaderRecord).count;
    if (stored < 0) {
        throw damaged("表头中的机床数量是 " + std::to_string(stored));
    }
    const int count = std::min(stored, kMaxMachines);
    if (count > 0 && !image.holds(machineRecordOffset(count), kRecordSize)) {
        throw damaged("它只有 " + size + "，装不下表头所说的 " + std::to_string(count) + " 台机床");
    }
    for (int i = 0; i < count; ++i) {
        const LibRecord record = image.readRecord(i + 7);
        MachineEntry entry{decodeName(record.name), record.name, record.zn, record.count};
        if (entry.gearCount < 0 || entry.gearCount > kSlotCapacity) {
            throw damaged(machineLabel(i, entry.name) + "的挂轮数是 " +
                          std::to_string(entry.gearCount) + "，应在 0 到 " +
                          std::to_string(kSlotCapacity) + " 之间");
        }
        store.machines_.push_back(std::move(entry));
        store.readSlot(image, i); // checks that the gear list lies inside the file
    }
    return store;
}

void MachineStore::createFile(const std::string& path, const std::vector<NewMachine>& machines,
                              FileSystem& fs) {
    if (machines.empty() || machines.size() > static_cast<std::size_t>(kMaxMachines)) {
        throw StoreError(path, "无法创建：一个数据文件要有 1 到 " + std::to_string(kMaxMachines) +
                                   " 台机床");
    }
    MachineStore store(path, fs);
    LibImage image;
    for (const NewMachine& spec : machines) {
        const std::string raw = store.storableName(spec.name, true);
        std::vector<std::int16_t> gears = spec.gears;
        std::sort(gears.begin(), gears.end());
        store.checkGears(decodeName(raw), gears);
        store.machines_.push_back(
            {decodeName(raw), raw, spec.zn, static_cast<std::int16_t>(gears.size())});
        image.writeSlot(static_cast<int>(store.machines_.size()), gears);
    }
    writeTable(image, store.machines_);
    gearsel::createFile(fs, path, image.bytes());
}

std::vector<std::int16_t> MachineStore::gearList(int index) const {
    return clampedTeeth(storedGearList(index));
}

std::vector<std::int16_t> MachineStore::storedGearList(int index) const {
    checkIndex(index);
    return readSlot(readImage(), index);
}

int MachineStore::addMachine(const std::string& name, std::int16_t zn,
                             std::vector<std::int16_t> gears) {
    return addMachines({NewMachine{name, zn, std::move(gears)}});
}

int MachineStore::addMachines(const std::vector<NewMachine>& machines) {
    const int first = static_cast<int>(machines_.size());
    if (machines.size() > static_cast<std::size_t>(kMaxMachines - first)) {
        throw StoreError(path_,
                         "中已有 " + std::to_string(first) + " 台机床，最多只能有 " +
                             std::to_string(kMaxMachines) + " 台，不能再添加" +
                             (machines.size() > 1 ? " " + std::to_string(machines.size()) + " 台"
                                                  : std::string()));
    }
    std::vector<MachineEntry> table = machines_;
    std::vector<std::vector<std::int16_t>> lists;
    for (const NewMachine& spec : machines) {
        const std::string raw = storableName(spec.name, true);
        std::vector<std::int16_t> gears = spec.gears;
        std::sort(gears.begin(), gears.end());
        checkGears(decodeName(raw), gears);
        table.push_back({decodeName(raw), raw, spec.zn, static_cast<std::int16_t>(gears.size())});
        lists.push_back(std::move(gears));
    }
    if (lists.empty()) {
        return first;
    }
    mode_t mode = 0;
    LibImage image = readImage(&mode);
    for (std::size_t k = 0; k < lists.size(); ++k) {
        image.writeSlot(first + static_cast<int>(k) + 1, lists[k]);
    }
    save(image, table, mode);
    return first;
}

int MachineStore::copyMachine(int index, const std::string& newName) {
    checkIndex(index);
    const int copy = static_cast<int>(machines_.size());
    if (copy >= kMaxMachines) {
        throw StoreError(path_, "中已有 " + std::to_string(copy) + " 台机床，最多只能有 " +
                                    std::to_string(kMaxMachines) + " 台，不能再复制");
    }
    const std::string raw = storableName(newName, false);
    mode_t mode = 0;
    LibImage image = readImage(&mode);
    image.writeSlot(copy + 1, clampedTeeth(readSlot(image, index)));
    std::vector<MachineEntry> table = machines_;
    table.push_back({decodeName(raw), raw, machines_[static_cast<std::size_t>(index)].zn,
                     machines_[static_cast<std::size_t>(index)].gearCount});
    save(image, table, mode);
    return copy;
}

void MachineStore::renameMachine(int index, const std::string& newName) {
    checkIndex(index);
    const std::string raw = storableName(newName, false);
    mode_t mode = 0;
    LibImage image = readImage(&mode);
    std::vector<MachineEntry> table = machines_;
    table[static_cast<std::size_t>(index)].name = decodeName(raw);
    table[static_cast<std::size_t>(index)].rawName = raw;
    save(image, table, mode);
}

void MachineStore::deleteMachine(int index) {
    checkIndex(index);
    if (machines_.size() == 1) {
        throw StoreError(path_, "中只剩" + machineLabel(index, machines_.front().name) +
                                    "，不能删除最后一台机床");
    }
    mode_t mode = 0;
    const LibImage original = readImage(&mode);
    LibImage image = original;
    // Machine j + 1 (index j) moves to number j, taking exactly its own values along; the rest
    // of each slot keeps what was there, as a move value by value in place would leave it.
    for (int j = index + 1; j < static_cast<int>(machines_.size()); ++j) {
        image.writeSlot(j, readSlot(original, j));
    }
    std::vector<MachineEntry> table = machines_;
    table.erase(table.begin() + index);
    save(image, table, mode);
}

void MachineStore::setGearList(int index, std::vector<std::int16_t> gears) {
    checkIndex(index);
    std::sort(gears.begin(), gears.end());
    checkGears(machines_[static_cast<std::size_t>(index)].name, gears);
    mode_t mode = 0;
    LibImage image = readImage(&mode);
    image.writeSlot(index + 1, gears);
    std::vector<MachineEntry> table = machines_;
    table[static_cast<std::size_t>(index)].gearCount = static_cast<std::int16_t>(gears.size());
    save(image, table, mode);
}

LibImage MachineStore::readImage(mode_t* mode) const {
    std::string bytes;
    mode_t fileMode = 0;
    if (const int error = fs_->readFile(path_, kMaxFileSize, bytes, fileMode)) {
        if (error == ENOENT) {
            throw StoreError(path_, "不存在");
        }
        if (error == EFBIG) {
            throw StoreError(path_, "太大（超过 16 MiB），不是挂轮数据文件");
        }
        throw StoreError(path_, "无法读取：" + describeErrno(error));
    }
    if (mode != nullptr) {
        *mode = fileMode;
    }
    return LibImage(std::move(bytes));
}

void MachineStore::checkIndex(int index) const {
    if (index < 0 || index >= static_cast<int>(machines_.size())) {
        throw StoreError(path_, "中没有第 " + std::to_string(index + 1) + " 台机床（共 " +
                                    std::to_string(machines_.size()) + " 台）");
    }
}

std::vector<std::int16_t> MachineStore::readSlot(const LibImage& image, int index) const {
    const MachineEntry& entry = machines_[static_cast<std::size_t>(index)];
    if (!image.holds(slotOffset(index + 1), 2 * static_cast<std::size_t>(entry.gearCount))) {
        throw StoreError(path_, "已损坏：" + machineLabel(index, entry.name) +
                                    "的挂轮表不完整（文件只有 " + std::to_string(image.size()) +
                                    " 字节）");
    }
    return image.readSlot(index + 1, entry.gearCount);
}

std::string MachineStore::storableName(const std::string& name, bool emptyAllowed) const {
    std::string text = trimmed(name);
    if (text.empty()) {
        if (!emptyAllowed) {
            throw StoreError(path_, "中的机床名称不能是空的");
        }
        text = kDefaultName;
    }
    EncodedName encoded = encodeName(text);
    if (!encoded.problem.empty()) {
        throw StoreError(path_, "不能保存这个机床名称：" + encoded.problem);
    }
    return std::move(encoded.bytes);
}

void MachineStore::checkGears(const std::string& name,
                              const std::vector<std::int16_t>& gears) const {
    const std::string what = "不能保存机床“" + name + "”的挂轮表：";
    if (gears.size() > static_cast<std::size_t>(kSlotCapacity)) {
        throw StoreError(path_, what + "最多 " + std::to_string(kSlotCapacity) +
                                    " 个挂轮，这里有 " + std::to_string(gears.size()) + " 个");
    }
    for (const std::int16_t tooth : gears) {
        if (tooth < kMinTooth || tooth > kMaxTooth) {
            throw StoreError(path_, what + "齿数 " + std::to_string(tooth) + " 不在 " +
                                        std::to_string(kMinTooth) + " 到 " +
                                        std::to_string(kMaxTooth) + " 之间");
        }
    }
}

void MachineStore::save(LibImage& image, const std::vector<MachineEntry>& table, mode_t mode) {
    writeTable(image, table);
    replaceFile(*fs_, path_, image.bytes(), mode);
    machines_ = table;
}

} // namespace gearsel
