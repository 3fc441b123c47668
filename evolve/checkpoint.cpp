#include "checkpoint.h"

#include <cstring>
#include <type_traits>

#include "file_replacement.h"
#include "lowfile.h"
#include "shape.h"

namespace {

constexpr char magic[8] = {'E', 'L', 'V', 'E', 'V', 'O', 'L', '1'};
constexpr int64_t largest_checkpoint = int64_t{1} << 31;

uint64_t fnv1a(const std::string& bytes)
{
    uint64_t sum = 0xCBF29CE484222325ull;
    for (const char c : bytes) {
        sum ^= static_cast<uint8_t>(c);
        sum *= 0x100000001B3ull;
    }
    return sum;
}

template <typename T>
void put(std::string& out, T value)
{
    static_assert(std::is_arithmetic_v<T>);
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void put_networks(std::string& out, const std::vector<Weights>& list)
{
    for (const Weights& w : list)
        out.append(reinterpret_cast<const char*>(w.data()), w.size() * sizeof(float));
}

// Reads the checkpoint's fields in order; any read past the end makes it `short_`.
struct Reader {
    const std::string& bytes;
    size_t at = 0;
    bool short_ = false;

    template <typename T>
    T get()
    {
        T value{};
        if (at + sizeof value > bytes.size()) {
            short_ = true;
            return value;
        }
        std::memcpy(&value, bytes.data() + at, sizeof value);
        at += sizeof value;
        return value;
    }

    std::vector<Weights> networks_of(int32_t count)
    {
        std::vector<Weights> list;
        for (int32_t i = 0; i < count && !short_; ++i) {
            Weights w(connections);
            for (float& x : w)
                x = get<float>();
            list.push_back(std::move(w));
        }
        return list;
    }
};

bool read_whole_file(const char* name, std::string& bytes)
{
    const int32_t handle = file_open(name, OpenMode::read_only);
    if (handle < 0)
        return false;
    const int64_t size = file_size(handle);
    bool read = size >= 0 && size < largest_checkpoint;
    if (read) {
        bytes.resize(static_cast<size_t>(size));
        size_t at = 0;
        while (read && at < bytes.size()) {
            const int32_t got = file_read(handle, bytes.data() + at, static_cast<uint32_t>(bytes.size() - at));
            read = got > 0;
            at += got > 0 ? static_cast<size_t>(got) : 0;
        }
    }
    file_close(handle);
    return read;
}

} // namespace

bool save_checkpoint(const char* name, const Settings& settings, const EvolutionState& state)
{
    std::string out(magic, sizeof magic);
    put(out, settings.seed);
    for (int32_t v : {settings.parents, settings.offspring, settings.games, settings.archive_size,
                      settings.archive_every})
        put(out, v);
    for (double v : {settings.sigma, settings.epsilon})
        put(out, v);
    put(out, static_cast<int32_t>(settings.panel.size()));
    for (const PanelMember& member : settings.panel)
        put(out, panel_member_code(member));
    for (size_t v : {static_cast<size_t>(state.generation), state.ranked.size(), state.archive.size(), state.log.size()})
        put(out, static_cast<int32_t>(v));
    put(out, state.sigma);
    for (double x : state.path)
        put(out, x);
    put_networks(out, {state.mean});
    put_networks(out, state.ranked);
    put_networks(out, state.archive);
    out += state.log;
    put(out, fnv1a(out));
    return replace_file_with(name, out.data(), out.size());
}

std::string load_checkpoint(const char* name, Settings& settings, EvolutionState& state)
{
    std::string bytes;
    if (!read_whole_file(name, bytes))
        return "cannot be read";
    if (bytes.size() < sizeof magic + sizeof(uint64_t) || std::memcmp(bytes.data(), magic, sizeof magic) != 0)
        return "is not a checkpoint of this program";
    const std::string body = bytes.substr(0, bytes.size() - sizeof(uint64_t));
    uint64_t sum = 0;
    std::memcpy(&sum, bytes.data() + body.size(), sizeof sum);
    if (sum != fnv1a(body))
        return "is damaged (its check sum does not match)";

    Reader in{body, sizeof magic};
    Settings s;
    s.seed = in.get<uint64_t>();
    for (int32_t* v : {&s.parents, &s.offspring, &s.games, &s.archive_size, &s.archive_every})
        *v = in.get<int32_t>();
    for (double* v : {&s.sigma, &s.epsilon})
        *v = in.get<double>();
    const auto members = in.get<int32_t>();
    s.panel.clear();
    for (int32_t m = 0; m < members && m < 16 && !in.short_; ++m) {
        PanelMember member{};
        if (!panel_member_from_code(in.get<int32_t>(), member))
            return "names an unknown opponent";
        s.panel.push_back(member);
    }
    EvolutionState st;
    st.generation = in.get<int32_t>();
    const auto ranked = in.get<int32_t>(), archived = in.get<int32_t>(), log_length = in.get<int32_t>();
    const bool sizes_fit = members <= 16 && ranked >= 0 && ranked < networks && archived >= 1 &&
                           archived <= largest_archive && log_length >= 0 && st.generation >= 0;
    if (in.short_ || !sizes_fit || !settings_fault(s).empty())
        return "holds settings that cannot be";
    st.sigma = in.get<double>();
    st.path.resize(connections);
    for (double& x : st.path)
        x = in.get<double>();
    const std::vector<Weights> mean = in.networks_of(1);
    st.ranked = in.networks_of(ranked);
    st.archive = in.networks_of(archived);
    if (in.short_ || in.at + static_cast<size_t>(log_length) != body.size())
        return "is incomplete";
    st.mean = mean.front();
    st.log = body.substr(in.at);
    settings = std::move(s);
    state = std::move(st);
    return "";
}
