// SPDX-License-Identifier: GPL-3.0-or-later
#include "survey_file/landxml_choice.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

namespace survey_file {

namespace {

// ASCII and the Latin-1 letters (Ä, Ö, Ü of German names) in lower case.
std::string lowered(std::string_view text) {
    std::string out(text);
    for (std::size_t k = 0; k < out.size(); ++k) {
        const auto byte = static_cast<unsigned char>(out[k]);
        if (byte >= 'A' && byte <= 'Z') out[k] = char(byte + 32);
        const auto next = k + 1 < out.size() ? static_cast<unsigned char>(out[k + 1]) : 0;
        if (byte == 0xC3 && next >= 0x80 && next <= 0x9E && next != 0x97)
            out[k + 1] = char(next + 32);
    }
    return out;
}

// Short codes match a whole word of the name ("EG", "EG Surface"), longer
// words anywhere in it ("Existing Ground", "Geländelinie", "原地面线").
bool matches(const std::string& name, std::span<const std::string_view> codes,
             std::span<const std::string_view> words) {
    const std::string low = lowered(name);
    for (const std::string_view word : words)
        if (low.find(word) != std::string::npos) return true;
    std::size_t at = 0;
    while (at < low.size()) {
        const auto isCut = [](char c) {
            return std::string_view(" \t_-/.,;:()[]").find(c) != std::string_view::npos;
        };
        while (at < low.size() && isCut(low[at])) ++at;
        std::size_t end = at;
        while (end < low.size() && !isCut(low[end])) ++end;
        const std::string_view token = std::string_view(low).substr(at, end - at);
        if (std::find(codes.begin(), codes.end(), token) != codes.end()) return true;
        at = end;
    }
    return false;
}

bool looksLike(const LandXmlSurface& surface, bool (*like)(const std::string&)) {
    return like(surface.name) || like(surface.desc);
}

std::vector<const LandXmlSurface*> open(const LandXmlAlignment& alignment) {
    std::vector<const LandXmlSurface*> out;
    for (const LandXmlSurface& surface : alignment.surfaces)
        if (!surface.closed) out.push_back(&surface);
    return out;
}

const LandXmlSurface* firstWhere(const std::vector<const LandXmlSurface*>& surfaces,
                                 const auto& wanted) {
    const auto found = std::find_if(surfaces.begin(), surfaces.end(), wanted);
    return found == surfaces.end() ? nullptr : *found;
}

const LandXmlSurface* guessGround(const std::vector<const LandXmlSurface*>& surfaces) {
    const auto plain = [](const LandXmlSurface* s) {
        return s->element == SurfaceElement::CrossSectSurf;
    };
    if (auto* named = firstWhere(
            surfaces, [&](auto* s) { return plain(s) && looksLike(*s, looksLikeGround); }))
        return named;
    return firstWhere(surfaces, plain);
}

const LandXmlSurface* guessDesign(const std::vector<const LandXmlSurface*>& surfaces,
                                  const LandXmlSurface* ground) {
    const auto isDesign = [](const LandXmlSurface* s) {
        return s->element == SurfaceElement::DesignCrossSectSurf;
    };
    const LandXmlSurface* best = nullptr;
    for (const LandXmlSurface* s : surfaces) {
        if (s == ground || !looksLike(*s, looksLikeDesign)) continue;
        if (!best || (isDesign(s) && !isDesign(best))) best = s;
    }
    if (best) return best;
    for (const LandXmlSurface* s : surfaces)
        if (s != ground && isDesign(s) && (!best || s->sections > best->sections)) best = s;
    return best;
}

std::vector<std::string> surfaceNames(const LandXmlAlignment& alignment) {
    std::vector<std::string> names;
    for (const LandXmlSurface* surface : open(alignment))
        if (std::find(names.begin(), names.end(), surface->name) == names.end())
            names.push_back(surface->name);
    return names;
}

}  // namespace

bool looksLikeGround(const std::string& name) {
    static constexpr std::array<std::string_view, 3> codes{"eg", "og", "10"};
    static constexpr std::array<std::string_view, 5> words{"地面", "ground", "existing", "gelände",
                                                           "urgelände"};
    return matches(name, codes, words);
}

bool looksLikeDesign(const std::string& name) {
    static constexpr std::array<std::string_view, 2> codes{"fg", "50"};
    // 設計: the same word in the traditional characters of Taiwan and Hong Kong.
    static constexpr std::array<std::string_view, 7> words{
        "设计", "設計", "design", "finished", "proposed", "planum", "entwurf"};
    return matches(name, codes, words);
}

bool surfacesToChoose(const LandXmlAlignment& alignment) {
    std::array<int, 2> ofElement{};
    for (const LandXmlSurface* surface : open(alignment))
        ++ofElement[std::size_t(surface->element)];
    return std::max(ofElement[0], ofElement[1]) > 1;
}

const LandXmlAlignment* chosenAlignment(const LandXmlContents& contents,
                                        const LandXmlChoice& choice) {
    const auto& all = contents.alignments;
    if (!choice.alignment) return all.empty() ? nullptr : &all.front();
    const auto found =
        std::find_if(all.begin(), all.end(), [&](auto& a) { return a.name == *choice.alignment; });
    return found == all.end() ? nullptr : &*found;
}

const LandXmlSurface* chosenSurface(const LandXmlAlignment& alignment, ChoiceRole role,
                                    const std::optional<std::string>& name) {
    if (!name) return nullptr;
    // The same name in both elements: the ground's own element first.
    const SurfaceElement own = role == ChoiceRole::Ground ? SurfaceElement::CrossSectSurf
                                                          : SurfaceElement::DesignCrossSectSurf;
    const LandXmlSurface* found = nullptr;
    for (const LandXmlSurface* s : open(alignment))
        if (s->name == *name && (!found || (s->element == own && found->element != own))) found = s;
    return found;
}

LandXmlChoice guessChoice(const LandXmlContents& contents, const LandXmlChoice& given) {
    LandXmlChoice choice = given;
    const LandXmlAlignment* alignment = chosenAlignment(contents, given);
    if (!alignment) return choice;
    choice.alignment = alignment->name;
    const std::vector<const LandXmlSurface*> surfaces = open(*alignment);
    const LandXmlSurface* ground = given.ground
                                       ? chosenSurface(*alignment, ChoiceRole::Ground, given.ground)
                                       : guessGround(surfaces);
    if (ground) choice.ground = ground->name;
    if (!given.design)
        if (const LandXmlSurface* design = guessDesign(surfaces, ground))
            choice.design = design->name;
    return choice;
}

std::optional<ChoiceFault> choiceFault(const LandXmlContents& contents,
                                       const LandXmlChoice& choice) {
    const LandXmlAlignment* alignment = chosenAlignment(contents, choice);
    if (!alignment) {
        ChoiceFault fault{ChoiceRole::Alignment, choice.alignment.value_or(""), {}};
        for (const LandXmlAlignment& each : contents.alignments) fault.names.push_back(each.name);
        return fault;
    }
    for (const auto& [role, name] : {std::pair{ChoiceRole::Ground, &choice.ground},
                                     std::pair{ChoiceRole::Design, &choice.design}})
        if (*name && !chosenSurface(*alignment, role, *name))
            return ChoiceFault{role, **name, surfaceNames(*alignment)};
    return std::nullopt;
}

std::string faultText(const ChoiceFault& fault) {
    static constexpr std::array<const char*, 3> roles{"路线（Alignment）", "地面线", "设计线"};
    std::string names;
    for (const std::string& name : fault.names) names += "“" + name + "”";
    return "文件中没有名为“" + fault.name + "”的" + roles[std::size_t(fault.role)] +
           (names.empty() ? std::string("：这条路线的断面没有可选的横断面表面")
                          : "：文件中可选的有" + names + "，请选其中之一");
}

}  // namespace survey_file
