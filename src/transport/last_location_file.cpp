// Layout of the last-location file.
#include "transport/last_location_file.hpp"

namespace fracflow::transport {
namespace {

constexpr const char* kGap = "        ";

}  // namespace

LastLocationFile::LastLocationFile(const std::filesystem::path& path)
    : file_(path, io::NumberFormat::fixed(5, 14)) {}

void LastLocationFile::writeStart(double x, double y) { file_.write(x, kGap, y, kGap); }

void LastLocationFile::writeStop(double x, double y, double t) { file_.line(x, kGap, y, kGap, t); }

}  // namespace fracflow::transport
