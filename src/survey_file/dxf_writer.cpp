// SPDX-License-Identifier: GPL-3.0-or-later
// A DXF R2007 writer of just what the section drawings use: the tables every
// CAD program expects (with handles and owners, as R2000 and later require),
// the layers and a text style, LWPOLYLINE and TEXT. Coordinates in the
// shortest form that reads back the same.

#include <algorithm>
#include <cstdio>

#include "runtime/number_text.h"
#include "survey_file/section_drawing.h"

namespace survey_file {

namespace {

struct Layer {
    const char* name;
    int colour;  // AutoCAD colour index
};

constexpr Layer kLayers[] = {{"0", 7},           {kGroundLayer, 3}, {kDesignLayer, 1},
                             {kOutlineLayer, 5}, {kCentreLayer, 6}, {kLabelLayer, 7},
                             {kFrameLayer, 8}};

// The text style of the labels: SimSun (宋体), which Chinese CAD installations have.
constexpr const char* kTextStyle = "宋体";

class DxfText {
  public:
    void tag(int code, const std::string& value) {
        char group[8];
        std::snprintf(group, sizeof group, "%3d", code);
        out_ += group;
        out_ += "\r\n" + value + "\r\n";
    }
    void number(int code, double value) { tag(code, runtime::numberToText(value)); }
    void integer(int code, long long value) { tag(code, std::to_string(value)); }
    void point(int code, DrawingPoint at) {
        number(code, at.x);
        number(code + 10, at.y);
        number(code + 20, 0.0);
    }

    // A new handle, hexadecimal as DXF writes them.
    std::string handle() {
        char text[24];
        std::snprintf(text, sizeof text, "%llX", next_++);
        return text;
    }
    std::string seed() const {
        char text[24];
        std::snprintf(text, sizeof text, "%llX", next_);
        return text;
    }

    const std::string& text() const { return out_; }
    void insert(std::size_t at, const std::string& text) { out_.insert(at, text); }

  private:
    std::string out_;
    unsigned long long next_ = 0x20;
};

struct Extent {
    DrawingPoint low{0, 0}, high{0, 0};
};

Extent extent(const SectionDrawing& drawing) {
    Extent box;
    bool any = false;
    auto take = [&](DrawingPoint p) {
        if (!any) box.low = box.high = p;
        any = true;
        box.low = {std::min(box.low.x, p.x), std::min(box.low.y, p.y)};
        box.high = {std::max(box.high.x, p.x), std::max(box.high.y, p.y)};
    };
    for (const DrawingPolyline& line : drawing.polylines)
        for (const DrawingPoint& p : line.points) take(p);
    for (const DrawingText& text : drawing.texts) take(text.at);
    return box;
}

class Writer {
  public:
    explicit Writer(const SectionDrawing& drawing) : drawing_(drawing), box_(extent(drawing)) {}

    std::string write() {
        // The handles are known only at the end: the header goes in last.
        classes();
        tables();
        blocks();
        entities();
        objects();
        out_.tag(0, "EOF");
        DxfText header;
        header.tag(0, "SECTION");
        header.tag(2, "HEADER");
        header.tag(9, "$ACADVER");
        header.tag(1, "AC1021");
        header.tag(9, "$DWGCODEPAGE");
        header.tag(3, "ANSI_936");
        header.tag(9, "$INSUNITS");
        header.integer(70, 6);  // metres
        header.tag(9, "$MEASUREMENT");
        header.integer(70, 1);  // metric
        header.tag(9, "$EXTMIN");
        header.point(10, box_.low);
        header.tag(9, "$EXTMAX");
        header.point(10, box_.high);
        header.tag(9, "$TEXTSTYLE");
        header.tag(7, kTextStyle);
        header.tag(9, "$HANDSEED");
        header.tag(5, out_.seed());
        header.tag(0, "ENDSEC");
        return header.text() + out_.text();
    }

  private:
    void section(const char* name) {
        out_.tag(0, "SECTION");
        out_.tag(2, name);
    }
    void end() { out_.tag(0, "ENDSEC"); }

    void classes() {
        section("CLASSES");
        end();
    }

    std::string table(const char* name, int entries) {
        const std::string handle = out_.handle();
        out_.tag(0, "TABLE");
        out_.tag(2, name);
        out_.tag(5, handle);
        out_.tag(330, "0");
        out_.tag(100, "AcDbSymbolTable");
        out_.integer(70, entries);
        return handle;
    }
    std::string record(const char* type, const std::string& owner, const char* subclass,
                       const std::string& name, int handleCode = 5) {
        const std::string handle = out_.handle();
        out_.tag(0, type);
        out_.tag(handleCode, handle);
        out_.tag(330, owner);
        out_.tag(100, "AcDbSymbolTableRecord");
        out_.tag(100, subclass);
        out_.tag(2, name);
        out_.integer(70, 0);
        return handle;
    }
    void endTable() { out_.tag(0, "ENDTAB"); }

    void tables() {
        section("TABLES");
        std::string owner = table("VPORT", 1);
        record("VPORT", owner, "AcDbViewportTableRecord", "*Active");
        out_.point(10, {0, 0});
        out_.point(11, {1, 1});
        // The whole sheet in view when the file opens.
        out_.number(12, (box_.low.x + box_.high.x) / 2);
        out_.number(22, (box_.low.y + box_.high.y) / 2);
        out_.number(
            40, std::max({box_.high.y - box_.low.y, (box_.high.x - box_.low.x) / 1.5, 1.0}) * 1.1);
        out_.number(41, 1.5);
        out_.number(42, 50);
        endTable();

        owner = table("LTYPE", 3);
        for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
            record("LTYPE", owner, "AcDbLinetypeTableRecord", name);
            out_.tag(3, name == std::string("Continuous") ? "Solid line" : "");
            out_.integer(72, 65);
            out_.integer(73, 0);
            out_.number(40, 0);
        }
        endTable();

        owner = table("LAYER", int(std::size(kLayers)));
        for (const Layer& layer : kLayers) {
            record("LAYER", owner, "AcDbLayerTableRecord", layer.name);
            out_.integer(62, layer.colour);
            out_.tag(6, "Continuous");
            out_.integer(370, -3);
        }
        endTable();

        owner = table("STYLE", 2);
        record("STYLE", owner, "AcDbTextStyleTableRecord", "Standard");
        style("txt");
        record("STYLE", owner, "AcDbTextStyleTableRecord", kTextStyle);
        style("simsun.ttc");
        endTable();

        table("VIEW", 0);
        endTable();
        table("UCS", 0);
        endTable();
        owner = table("APPID", 1);
        record("APPID", owner, "AcDbRegAppTableRecord", "ACAD");
        endTable();

        owner = table("DIMSTYLE", 1);
        out_.tag(100, "AcDbDimStyleTable");
        record("DIMSTYLE", owner, "AcDbDimStyleTableRecord", "Standard", 105);
        endTable();

        owner = table("BLOCK_RECORD", 2);
        modelSpace_ = record("BLOCK_RECORD", owner, "AcDbBlockTableRecord", "*Model_Space");
        paperSpace_ = record("BLOCK_RECORD", owner, "AcDbBlockTableRecord", "*Paper_Space");
        endTable();
        end();
    }

    void style(const char* font) {
        out_.number(40, 0);
        out_.number(41, 1);
        out_.number(50, 0);
        out_.integer(71, 0);
        out_.number(42, 2.5);
        out_.tag(3, font);
        out_.tag(4, "");
    }

    // BLOCK and ENDBLK share their head: handle, owner, paper space flag, layer.
    void blockHead(const char* type, const std::string& space, bool paper, const char* subclass) {
        out_.tag(0, type);
        out_.tag(5, out_.handle());
        out_.tag(330, space);
        out_.tag(100, "AcDbEntity");
        if (paper) out_.integer(67, 1);
        out_.tag(8, "0");
        out_.tag(100, subclass);
    }

    void blocks() {
        section("BLOCKS");
        for (const std::string* space : {&modelSpace_, &paperSpace_}) {
            const bool paper = space == &paperSpace_;
            const char* name = paper ? "*Paper_Space" : "*Model_Space";
            blockHead("BLOCK", *space, paper, "AcDbBlockBegin");
            out_.tag(2, name);
            out_.integer(70, 0);
            out_.point(10, {0, 0});
            out_.tag(3, name);
            out_.tag(1, "");
            blockHead("ENDBLK", *space, paper, "AcDbBlockEnd");
        }
        end();
    }

    void entity(const char* type, const std::string& layer) {
        out_.tag(0, type);
        out_.tag(5, out_.handle());
        out_.tag(330, modelSpace_);
        out_.tag(100, "AcDbEntity");
        out_.tag(8, layer);
    }

    void entities() {
        section("ENTITIES");
        for (const DrawingPolyline& line : drawing_.polylines) {
            entity("LWPOLYLINE", line.layer);
            out_.tag(100, "AcDbPolyline");
            out_.integer(90, (long long)line.points.size());
            out_.integer(70, line.closed ? 1 : 0);
            out_.number(43, 0);
            for (const DrawingPoint& point : line.points) {
                out_.number(10, point.x);
                out_.number(20, point.y);
            }
        }
        for (const DrawingText& text : drawing_.texts) {
            entity("TEXT", text.layer);
            out_.tag(100, "AcDbText");
            out_.point(10, text.at);
            out_.number(40, text.height);
            out_.tag(1, text.text);
            out_.tag(7, kTextStyle);
            out_.tag(100, "AcDbText");
        }
        end();
    }

    void objects() {
        section("OBJECTS");
        const std::string root = out_.handle();
        const std::string groups = out_.handle();
        out_.tag(0, "DICTIONARY");
        out_.tag(5, root);
        out_.tag(330, "0");
        out_.tag(100, "AcDbDictionary");
        out_.integer(281, 1);
        out_.tag(3, "ACAD_GROUP");
        out_.tag(350, groups);
        out_.tag(0, "DICTIONARY");
        out_.tag(5, groups);
        out_.tag(330, root);
        out_.tag(100, "AcDbDictionary");
        out_.integer(281, 1);
        end();
    }

    const SectionDrawing& drawing_;
    Extent box_;
    DxfText out_;
    std::string modelSpace_, paperSpace_;
};

}  // namespace

std::string dxf(const SectionDrawing& drawing) {
    return Writer(drawing).write();
}

}  // namespace survey_file
