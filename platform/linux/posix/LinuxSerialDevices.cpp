#include "platform/linux/posix/LinuxSerialDevices.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>

#include "platform/FolderTrust.h"
#include "platform/linux/posix/SerialDevicePath.h"

namespace quorbel {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kWatchedEvents =
    IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM;

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

bool ProcessHasGroup(gid_t group) {
  if (group == ::getegid()) return true;
  std::array<gid_t, 256> groups{};
  const int count = ::getgroups(static_cast<int>(groups.size()), groups.data());
  return count > 0 &&
         std::find(groups.begin(), groups.begin() + count, group) != groups.begin() + count;
}

bool UserListedInGroup(const struct group& entry) {
  const struct passwd* user = ::getpwuid(::geteuid());
  if (user == nullptr) return false;
  if (user->pw_gid == entry.gr_gid) return true;
  for (char** member = entry.gr_mem; member != nullptr && *member != nullptr; ++member) {
    if (std::string(*member) == user->pw_name) return true;
  }
  return false;
}

// Fills in whether the user may open the device and, when not, the group.
void JudgeAccess(const std::string& path, SerialDevice& device) {
  device.accessible = ::access(path.c_str(), R_OK | W_OK) == 0;
  if (device.accessible) return;
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return;
  const struct group* entry = ::getgrgid(info.st_gid);
  if (entry == nullptr) return;
  device.group = entry->gr_name;
  device.memberOfGroup = UserListedInGroup(*entry) && !ProcessHasGroup(info.st_gid);
}

}  // namespace

std::string ReadableDeviceName(const std::string& byIdName) {
  std::string name = byIdName;
  for (const char* bus : {"usb-", "pci-", "platform-"}) {
    if (StartsWith(name, bus)) {
      name.erase(0, std::string(bus).size());
      break;
    }
  }
  if (const std::size_t tail = name.find("-if"); tail != std::string::npos) name.erase(tail);
  std::replace(name.begin(), name.end(), '_', ' ');
  return name;
}

LinuxSerialDevices::LinuxSerialDevices(std::string devFolder, std::string sysFolder)
    : dev_(std::move(devFolder)), sys_(std::move(sysFolder)) {
  watch_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  WatchFolders();
}

LinuxSerialDevices::~LinuxSerialDevices() {
  if (watch_ >= 0) ::close(watch_);
}

void LinuxSerialDevices::WatchFolders() {
  if (watch_ < 0) return;
  // Watching a folder twice keeps the one watch; /dev/serial/by-id comes
  // with the first adapter, so it is looked for again after every change.
  for (const std::string& folder : {dev_, dev_ + "/serial", dev_ + "/serial/by-id"}) {
    ::inotify_add_watch(watch_, folder.c_str(), kWatchedEvents);
  }
}

bool LinuxSerialDevices::TakeChanges() {
  if (watch_ < 0) return false;
  bool changed = false;
  alignas(inotify_event) std::array<char, 4096> events{};
  while (::read(watch_, events.data(), events.size()) > 0) changed = true;
  if (changed) WatchFolders();
  return changed;
}

std::vector<SerialDevice> LinuxSerialDevices::Detect() {
  std::vector<SerialDevice> found;
  std::set<std::string> covered;  // device nodes already listed by a stable name
  std::error_code error;
  std::vector<fs::path> stable;
  for (fs::directory_iterator entry(dev_ + "/serial/by-id", error), end; !error && entry != end;
       entry.increment(error)) {
    stable.push_back(entry->path());
  }
  std::sort(stable.begin(), stable.end());
  for (const fs::path& link : stable) {
    std::error_code broken;
    const fs::path node = fs::canonical(link, broken);
    if (broken) continue;
    SerialDevice device;
    device.path = link.string();
    device.name =
        ReadableDeviceName(link.filename().string()) + " (" + node.filename().string() + ")";
    JudgeAccess(link.string(), device);
    covered.insert(node.string());
    found.push_back(device);
  }
  std::vector<std::string> nodes;
  for (fs::directory_iterator entry(dev_, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (StartsWith(name, "ttyUSB") || StartsWith(name, "ttyACM")) nodes.push_back(name);
    // Every machine has ttyS0..ttyS31 nodes; only those with a UART behind
    // them (a type other than 0) are ports.
    if (StartsWith(name, "ttyS")) {
      std::ifstream type(sys_ + "/class/tty/" + name + "/type");
      int uart = 0;
      if (type >> uart && uart != 0) nodes.push_back(name);
    }
  }
  // ttyUSB before ttyACM before ttyS, numbers in their order.
  std::sort(nodes.begin(), nodes.end(), [](const std::string& a, const std::string& b) {
    const auto rank = [](const std::string& n) {
      return StartsWith(n, "ttyUSB") ? 0 : StartsWith(n, "ttyACM") ? 1 : 2;
    };
    if (rank(a) != rank(b)) return rank(a) < rank(b);
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
  });
  for (const std::string& name : nodes) {
    const std::string path = dev_ + "/" + name;
    std::error_code broken;
    if (covered.count(fs::canonical(path, broken).string()) != 0) continue;
    SerialDevice device;
    device.path = path;
    device.name = name;
    JudgeAccess(path, device);
    found.push_back(device);
  }
  return found;
}

std::string LinuxSerialDevices::LinkPort(int portNumber, const std::string& devicePath) {
  if (SerialDevicePath(portNumber).empty()) {
    return "There is no Com " + std::to_string(portNumber) + ".";
  }
  const fs::path link = SerialLinkPath(portNumber);
  const fs::path folder = link.parent_path();
  std::error_code error;
  if (CheckFolder(folder) == FolderTrust::Missing && ::mkdir(folder.c_str(), 0700) != 0) {
    return "The folder " + fs::absolute(folder, error).string() + " cannot be made.";
  }
  if (!FolderIsTrusted(folder)) return UntrustedFolderText(fs::absolute(folder, error));
  // The new link is made beside the old one and renamed over it, so the port
  // always leads somewhere whole.
  fs::path temporary = link;
  temporary += ".new";
  fs::remove(temporary, error);
  fs::create_symlink(devicePath, temporary, error);
  if (!error) fs::rename(temporary, link, error);
  if (!error) return {};
  std::error_code ignored;
  fs::remove(temporary, ignored);
  return "The link " + link.string() + " cannot be written: " + error.message() + ".";
}

}  // namespace quorbel
