#include "exchange/EscritorDxf.h"

void EmpezarDxf(DL_Dxf& dxf, EscritorDxf& dw, const std::vector<CapaDxf>& capas,
                const std::vector<const char*>& bloques, double alturaTexto)
{
    dxf.writeHeader(dw);
    dw.dxfString(9, "$INSUNITS");
    dw.dxfInt(70, 6); // metres
    dw.sectionEnd();

    dw.sectionTables();
    dxf.writeVPort(dw);
    dw.tableLinetypes(3);
    dxf.writeLinetype(dw, DL_LinetypeData("BYBLOCK", "BYBLOCK", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("BYLAYER", "BYLAYER", 0, 0, 0.0));
    dxf.writeLinetype(dw, DL_LinetypeData("CONTINUOUS", "Continuous", 0, 0, 0.0));
    dw.tableEnd();
    dw.tableLayers(static_cast<int>(capas.size()));
    for (const CapaDxf& c : capas)
        dxf.writeLayer(dw, DL_LayerData(c.nombre, 0), DL_Attributes("", c.color, c.grosor, "CONTINUOUS", 1.0));
    dw.tableEnd();
    dw.tableStyle(1);
    dxf.writeStyle(dw, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, alturaTexto, "txt", ""));
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dxf.writeDimStyle(dw, 1, 1, 1, 1, 1);
    dxf.writeBlockRecord(dw);
    for (const char* b : bloques)
        dxf.writeBlockRecord(dw, b);
    dw.tableEnd();
    dw.sectionEnd();

    dw.sectionBlocks();
    for (const char* espacio : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
        dxf.writeBlock(dw, DL_BlockData(espacio, 0, 0.0, 0.0, 0.0));
        dxf.writeEndBlock(dw, espacio);
    }
}

void TerminarDxf(DL_Dxf& dxf, EscritorDxf& dw)
{
    dw.sectionEnd();
    dxf.writeObjects(dw);
    dxf.writeObjectsEnd(dw);
    dw.dxfEOF();
}
