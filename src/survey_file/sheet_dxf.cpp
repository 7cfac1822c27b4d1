// SPDX-License-Identifier: GPL-3.0-or-later
// A DXF R2007 writer of just what the sheets use: the tables every CAD
// program expects (with handles and owners, as R2000 and later require), the
// layers, the centre line's linetype and a text style, a block per section
// and its insert, and each sheet's own entities in model space.

#include "survey_file/sheet_dxf.h"

#include <algorithm>
#include <cmath>

#include "survey_file/dxf_entities.h"
#include "survey_file/dxf_tags.h"

namespace survey_file {

namespace {

using printout::DrawPoint;

// On paper: the hatch lines this far apart, the centre line's dash and dot.
constexpr double kHatchMillimetres = 2.0;
constexpr double kCentreDashes[] = {8.0, -2.0, 1.0, -2.0};

struct Extent {
    DrawPoint low{0, 0}, high{0, 0};
    bool any = false;

    void take(DrawPoint p) {
        if (!any) low = high = p;
        any = true;
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    // The block's points moved by `shift`.
    void take(const printout::DrawingBlock& block, DrawPoint shift) {
        auto moved = [&](DrawPoint p) { take({p.x + shift.x, p.y + shift.y}); };
        for (const printout::DrawHatch& hatch : block.hatches)
            for (DrawPoint p : hatch.outline) moved(p);
        for (const printout::DrawLine& line : block.lines)
            for (DrawPoint p : line.points) moved(p);
        for (const printout::DrawCircle& circle : block.circles) {
            moved({circle.centre.x - circle.radius, circle.centre.y - circle.radius});
            moved({circle.centre.x + circle.radius, circle.centre.y + circle.radius});
        }
        for (const printout::DrawText& text : block.texts) {
            moved(text.at);
            moved({text.at.x, text.at.y + text.height});
        }
    }
};

Extent extent(const printout::SheetDrawing& drawing) {
    Extent box;
    for (const printout::DrawingBlock& sheet : drawing.sheets) box.take(sheet, {0, 0});
    for (const printout::BlockInsert& insert : drawing.inserts) {
        const printout::DrawingBlock& block = drawing.blocks.at(std::size_t(insert.block));
        box.take(block, {insert.at.x - block.base.x, insert.at.y - block.base.y});
    }
    return box;
}

class Writer {
  public:
    explicit Writer(const printout::SheetDrawing& drawing)
        : drawing_(drawing), box_(extent(drawing)) {}

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
        header.integer(70, kMetres);
        header.tag(9, "$MEASUREMENT");
        header.integer(70, 1);  // metric
        header.tag(9, "$EXTMIN");
        header.point(10, box_.low);
        header.tag(9, "$EXTMAX");
        header.point(10, box_.high);
        header.tag(9, "$TEXTSTYLE");
        header.tag(7, kDxfTextStyle);
        header.tag(9, "$HANDSEED");
        header.tag(5, out_.seed());
        header.tag(0, "ENDSEC");
        return header.text() + out_.text();
    }

  private:
    static constexpr int kMetres = 6;

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
    // `flags`: group 70, which a block record uses for its units.
    std::string record(const char* type, const std::string& owner, const char* subclass,
                       const std::string& name, int handleCode = 5, int flags = 0) {
        const std::string handle = out_.handle();
        out_.tag(0, type);
        out_.tag(handleCode, handle);
        out_.tag(330, owner);
        out_.tag(100, "AcDbSymbolTableRecord");
        out_.tag(100, subclass);
        out_.tag(2, name);
        out_.integer(70, flags);
        return handle;
    }
    void endTable() { out_.tag(0, "ENDTAB"); }

    void tables() {
        section("TABLES");
        std::string owner = table("VPORT", 1);
        record("VPORT", owner, "AcDbViewportTableRecord", "*Active");
        out_.point(10, {0, 0});
        out_.point(11, {1, 1});
        // Every sheet in view when the file opens.
        out_.number(12, (box_.low.x + box_.high.x) / 2);
        out_.number(22, (box_.low.y + box_.high.y) / 2);
        out_.number(
            40, std::max({box_.high.y - box_.low.y, (box_.high.x - box_.low.x) / 1.5, 1.0}) * 1.1);
        out_.number(41, 1.5);
        out_.number(42, 50);
        endTable();

        linetypes();
        owner = table("LAYER", int(std::size(printout::kDrawLayers)));
        for (const printout::DrawLayer& layer : printout::kDrawLayers) {
            record("LAYER", owner, "AcDbLayerTableRecord", layer.name);
            out_.integer(62, layer.colour);
            out_.tag(6, "Continuous");
            out_.integer(370, -3);
        }
        endTable();

        owner = table("STYLE", 2);
        record("STYLE", owner, "AcDbTextStyleTableRecord", "Standard");
        style("txt");
        record("STYLE", owner, "AcDbTextStyleTableRecord", kDxfTextStyle);
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

        owner = table("BLOCK_RECORD", 2 + int(drawing_.blocks.size()));
        modelSpace_ = record("BLOCK_RECORD", owner, "AcDbBlockTableRecord", "*Model_Space");
        paperSpace_ = record("BLOCK_RECORD", owner, "AcDbBlockTableRecord", "*Paper_Space");
        for (const printout::DrawingBlock& block : drawing_.blocks)
            blockRecords_.push_back(
                record("BLOCK_RECORD", owner, "AcDbBlockTableRecord", block.name, 5, kMetres));
        endTable();
        end();
    }

    // The centre line's dash and dot are as long on paper at every scale.
    void linetypes() {
        const std::string owner = table("LTYPE", 4);
        for (const char* name : {"ByBlock", "ByLayer", "Continuous"}) {
            record("LTYPE", owner, "AcDbLinetypeTableRecord", name);
            out_.tag(3, name == std::string("Continuous") ? "Solid line" : "");
            out_.integer(72, 65);
            out_.integer(73, 0);
            out_.number(40, 0);
        }
        record("LTYPE", owner, "AcDbLinetypeTableRecord", kDxfDashedLinetype);
        out_.tag(3, "Center ____ _ ____ _");
        out_.integer(72, 65);
        out_.integer(73, int(std::size(kCentreDashes)));
        double total = 0.0;
        for (double dash : kCentreDashes) total += std::abs(dash);
        out_.number(40, total * drawing_.metresPerMillimetre());
        for (double dash : kCentreDashes) {
            out_.number(49, dash * drawing_.metresPerMillimetre());
            out_.integer(74, 0);
        }
        endTable();
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
    void blockHead(const char* type, const std::string& owner, bool paper, const char* subclass) {
        out_.tag(0, type);
        out_.tag(5, out_.handle());
        out_.tag(330, owner);
        out_.tag(100, "AcDbEntity");
        if (paper) out_.integer(67, 1);
        out_.tag(8, "0");
        out_.tag(100, subclass);
    }

    void block(const std::string& name, const std::string& owner, bool paper, DrawPoint base,
               const printout::DrawingBlock* entities) {
        blockHead("BLOCK", owner, paper, "AcDbBlockBegin");
        out_.tag(2, name);
        out_.integer(70, 0);
        out_.point(10, base);
        out_.tag(3, name);
        out_.tag(1, "");
        if (entities) writeEntities(out_, *entities, owner, hatchSpacing());
        blockHead("ENDBLK", owner, paper, "AcDbBlockEnd");
    }

    void blocks() {
        section("BLOCKS");
        block("*Model_Space", modelSpace_, false, {0, 0}, nullptr);
        block("*Paper_Space", paperSpace_, true, {0, 0}, nullptr);
        for (std::size_t i = 0; i < drawing_.blocks.size(); ++i) {
            const printout::DrawingBlock& each = drawing_.blocks[i];
            block(each.name, blockRecords_[i], false, each.base, &each);
        }
        end();
    }

    void entities() {
        section("ENTITIES");
        for (const printout::DrawingBlock& sheet : drawing_.sheets)
            writeEntities(out_, sheet, modelSpace_, hatchSpacing());
        for (const printout::BlockInsert& insert : drawing_.inserts) {
            out_.tag(0, "INSERT");
            out_.tag(5, out_.handle());
            out_.tag(330, modelSpace_);
            out_.tag(100, "AcDbEntity");
            out_.tag(8, "0");
            out_.tag(100, "AcDbBlockReference");
            out_.tag(2, drawing_.blocks.at(std::size_t(insert.block)).name);
            out_.point(10, insert.at);
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

    double hatchSpacing() const { return kHatchMillimetres * drawing_.metresPerMillimetre(); }

    const printout::SheetDrawing& drawing_;
    Extent box_;
    DxfText out_;
    std::string modelSpace_, paperSpace_;
    std::vector<std::string> blockRecords_;  // one per block
};

}  // namespace

std::string sheetsDxf(const printout::SheetDrawing& drawing) {
    return Writer(drawing).write();
}

}  // namespace survey_file
