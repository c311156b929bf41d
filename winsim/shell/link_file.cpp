#include "shell/link_file.h"

#include "shell/ansi_text.h"

#include <algorithm>

namespace winsim::shell {

namespace {

constexpr std::uint32_t header_size = 0x4C;
// CLSID_ShellLink in its stored byte order.
constexpr std::uint8_t link_clsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
// LinkInfo header with the Unicode offsets of the local base path and the suffix.
constexpr std::uint32_t link_info_header_size = 0x24;
constexpr std::uint32_t volume_id_and_local_base_path = 0x1;
constexpr std::uint32_t volume_id_header_size = 0x10;

class ByteWriter {
public:
    void u16(std::uint16_t v) {
        bytes_.push_back(static_cast<std::uint8_t>(v));
        bytes_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void u32(std::uint32_t v) {
        u16(static_cast<std::uint16_t>(v));
        u16(static_cast<std::uint16_t>(v >> 16));
    }
    void u64(std::uint64_t v) {
        u32(static_cast<std::uint32_t>(v));
        u32(static_cast<std::uint32_t>(v >> 32));
    }
    void raw(const std::uint8_t* data, std::size_t size) { bytes_.insert(bytes_.end(), data, data + size); }
    void ansi_z(const std::string& text) {
        raw(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
        bytes_.push_back(0);
    }
    void wide(const std::u16string& text) {
        for (char16_t c : text) u16(c);
    }
    void wide_z(const std::string& ansi) {
        wide(widen(ansi));
        u16(0);
    }
    void patch_u32(std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes_[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::size_t size() const { return bytes_.size(); }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

std::uint32_t flags_of(const LinkRecord& r) {
    std::uint32_t flags = IsUnicode;
    if (r.volume) flags |= HasLinkInfo;
    if (r.description) flags |= HasName;
    if (r.relative_path) flags |= HasRelativePath;
    if (r.working_directory) flags |= HasWorkingDir;
    if (r.arguments) flags |= HasArguments;
    if (r.icon_location) flags |= HasIconLocation;
    return flags;
}

void write_header(ByteWriter& w, const LinkRecord& r) {
    w.u32(header_size);
    w.raw(link_clsid, sizeof link_clsid);
    w.u32(flags_of(r));
    w.u32(r.file_attributes);
    w.u64(r.creation_time);
    w.u64(r.access_time);
    w.u64(r.write_time);
    w.u32(r.file_size);
    w.u32(static_cast<std::uint32_t>(r.icon_index));
    w.u32(r.show_command);
    w.u16(r.hotkey);
    w.u16(0);  // Reserved1
    w.u32(0);  // Reserved2
    w.u32(0);  // Reserved3
}

void write_link_info(ByteWriter& w, const LinkVolume& volume, const std::string& base_path) {
    const std::size_t start = w.size();
    w.u32(0);  // LinkInfoSize, patched below
    w.u32(link_info_header_size);
    w.u32(volume_id_and_local_base_path);
    const std::size_t offsets = w.size();
    for (int i = 0; i < 6; ++i) w.u32(0);  // the offsets, patched below
    auto offset_here = [&] { return static_cast<std::uint32_t>(w.size() - start); };

    const std::uint32_t volume_offset = offset_here();
    w.u32(volume_id_header_size + static_cast<std::uint32_t>(volume.label.size()) + 1);
    w.u32(volume.drive_type);
    w.u32(volume.serial);
    w.u32(volume_id_header_size);  // the label follows the VolumeID header
    w.ansi_z(volume.label);

    const std::uint32_t base_offset = offset_here();
    w.ansi_z(base_path);
    const std::uint32_t suffix_offset = offset_here();
    w.ansi_z("");
    const std::uint32_t base_unicode_offset = offset_here();
    w.wide_z(base_path);
    const std::uint32_t suffix_unicode_offset = offset_here();
    w.wide_z("");

    w.patch_u32(start, offset_here());
    w.patch_u32(offsets + 0, volume_offset);
    w.patch_u32(offsets + 4, base_offset);
    w.patch_u32(offsets + 8, 0);  // no CommonNetworkRelativeLink
    w.patch_u32(offsets + 12, suffix_offset);
    w.patch_u32(offsets + 16, base_unicode_offset);
    w.patch_u32(offsets + 20, suffix_unicode_offset);
}

void write_string(ByteWriter& w, const std::optional<std::string>& text) {
    if (!text) return;
    std::u16string wide = widen(*text);
    if (wide.size() > 0xFFFF) wide.resize(0xFFFF);
    w.u16(static_cast<std::uint16_t>(wide.size()));
    w.wide(wide);
}

class ByteReader {
public:
    explicit ByteReader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    bool ok() const { return ok_; }
    std::size_t pos() const { return pos_; }
    void seek(std::size_t pos) {
        if (pos > bytes_.size()) ok_ = false;
        else pos_ = pos;
    }
    bool has(std::size_t n) const { return ok_ && bytes_.size() - pos_ >= n; }
    std::uint16_t u16() {
        if (!has(2)) return fail();
        std::uint16_t v = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    std::uint32_t u32() {
        std::uint32_t lo = u16();
        return lo | (static_cast<std::uint32_t>(u16()) << 16);
    }
    std::uint64_t u64() {
        std::uint64_t lo = u32();
        return lo | (static_cast<std::uint64_t>(u32()) << 32);
    }
    void skip(std::size_t n) {
        if (!has(n)) fail();
        else pos_ += n;
    }
    bool matches(const std::uint8_t* data, std::size_t n) {
        if (!has(n)) return fail();
        for (std::size_t i = 0; i < n; ++i)
            if (bytes_[pos_ + i] != data[i]) return fail();
        pos_ += n;
        return true;
    }
    // A zero-ended ANSI text at `at`, which must end before `limit`.
    std::string ansi_z_at(std::size_t at, std::size_t limit) {
        std::string text;
        limit = std::min(limit, bytes_.size());
        for (std::size_t i = at; i < limit; ++i) {
            if (bytes_[i] == 0) return text;
            text.push_back(static_cast<char>(bytes_[i]));
        }
        fail();
        return {};
    }
    std::string counted_string(bool unicode) {
        std::uint16_t count = u16();
        std::string text;
        if (unicode) {
            std::u16string wide;
            for (std::uint16_t i = 0; i < count && ok_; ++i) wide.push_back(u16());
            text = narrow(wide);
        } else {
            if (!has(count)) return fail(), std::string();
            text.assign(reinterpret_cast<const char*>(bytes_.data() + pos_), count);
            pos_ += count;
        }
        return text;
    }

private:
    std::uint16_t fail() {
        ok_ = false;
        return 0;
    }
    const std::vector<std::uint8_t>& bytes_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

bool read_link_info(ByteReader& r, const std::vector<std::uint8_t>& bytes, LinkRecord& record) {
    const std::size_t start = r.pos();
    const std::uint32_t size = r.u32();
    const std::uint32_t info_header = r.u32();
    const std::uint32_t flags = r.u32();
    const std::uint32_t volume_offset = r.u32();
    const std::uint32_t base_offset = r.u32();
    r.u32();  // CommonNetworkRelativeLinkOffset
    r.u32();  // CommonPathSuffixOffset
    if (!r.ok() || size < 0x1C || info_header < 0x1C || size > bytes.size() - start) return false;
    const std::size_t end = start + size;
    if (flags & volume_id_and_local_base_path) {
        if (volume_offset + volume_id_header_size > size || base_offset >= size) return false;
        ByteReader volume_reader(bytes);
        volume_reader.seek(start + volume_offset);
        LinkVolume volume;
        const std::uint32_t volume_size = volume_reader.u32();
        volume.drive_type = volume_reader.u32();
        volume.serial = volume_reader.u32();
        const std::uint32_t label_offset = volume_reader.u32();
        if (!volume_reader.ok() || label_offset >= volume_size) return false;
        volume.label = r.ansi_z_at(start + volume_offset + label_offset, end);
        record.local_base_path = r.ansi_z_at(start + base_offset, end);
        record.volume = volume;
    }
    r.seek(end);
    return r.ok();
}

}  // namespace

std::vector<std::uint8_t> encode_link(const LinkRecord& record) {
    ByteWriter w;
    write_header(w, record);
    if (record.volume) write_link_info(w, *record.volume, record.local_base_path);
    write_string(w, record.description);
    write_string(w, record.relative_path);
    write_string(w, record.working_directory);
    write_string(w, record.arguments);
    write_string(w, record.icon_location);
    w.u32(0);  // TerminalBlock of the ExtraData
    return w.take();
}

std::optional<LinkRecord> decode_link(const std::vector<std::uint8_t>& bytes) {
    ByteReader r(bytes);
    LinkRecord record;
    if (r.u32() != header_size || !r.matches(link_clsid, sizeof link_clsid)) return std::nullopt;
    const std::uint32_t flags = r.u32();
    record.file_attributes = r.u32();
    record.creation_time = r.u64();
    record.access_time = r.u64();
    record.write_time = r.u64();
    record.file_size = r.u32();
    record.icon_index = static_cast<std::int32_t>(r.u32());
    record.show_command = r.u32();
    record.hotkey = r.u16();
    r.skip(10);
    if (flags & HasLinkTargetIDList) r.skip(r.u16());
    if ((flags & HasLinkInfo) && !read_link_info(r, bytes, record)) return std::nullopt;
    const bool unicode = flags & IsUnicode;
    if (flags & HasName) record.description = r.counted_string(unicode);
    if (flags & HasRelativePath) record.relative_path = r.counted_string(unicode);
    if (flags & HasWorkingDir) record.working_directory = r.counted_string(unicode);
    if (flags & HasArguments) record.arguments = r.counted_string(unicode);
    if (flags & HasIconLocation) record.icon_location = r.counted_string(unicode);
    if (!r.ok()) return std::nullopt;
    return record;
}

}  // namespace winsim::shell
