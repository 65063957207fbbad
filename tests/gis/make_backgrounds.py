"""Makes the vector backgrounds of the background tests with GDAL's own drivers.

make_backgrounds.py FOLDER writes FOLDER/TR000001.000 (an S-57 cell) with its update
FOLDER/TR000001.001, and FOLDER/plan.gpkg (a GeoPackage on UTM zone 35N).
"""
import os
import sys

from osgeo import gdal, ogr, osr

gdal.UseExceptions()

VI, VC, VE = 110, 120, 130  # isolated node, connected node, edge


def node(rcnm, rcid, wkt):
    return ('IsolatedNode' if rcnm == VI else 'ConnectedNode', {'RCNM': rcnm, 'RCID': rcid}, wkt)


def edge(rcid, start, end, wkt):
    fields = {'RCNM': VE, 'RCID': rcid}
    for i, n in enumerate((start, end)):
        fields.update({'NAME_RCNM_%d' % i: VC, 'NAME_RCID_%d' % i: n, 'ORNT_%d' % i: 255,
                       'USAG_%d' % i: 255, 'TOPI_%d' % i: i + 1, 'MASK_%d' % i: 255})
    return ('Edge', fields, wkt)


def feature(cls, rcid, prim, objl, spatial, **attributes):
    """A feature record pointing at its spatial records: [(rcnm, rcid)]."""
    fields = {'RCID': rcid, 'PRIM': prim, 'GRUP': 1 if cls in ('DEPARE', 'LNDARE') else 2, 'OBJL': objl,
              'AGEN': 540, 'FIDN': rcid, 'FIDS': 1,
              'NAME_RCNM': [s[0] for s in spatial], 'NAME_RCID': [s[1] for s in spatial],
              'ORNT': [1 if prim == 3 else 255] * len(spatial), 'USAG': [1 if prim == 3 else 255] * len(spatial),
              'MASK': [2 if prim != 1 else 255] * len(spatial)}
    fields.update(attributes)
    return (cls, fields, None)


def write_cell(path, options, records):
    ds = ogr.GetDriverByName('S57').CreateDataSource(path, options=options)
    for layer_name, fields, wkt in records:
        layer = ds.GetLayerByName(layer_name)
        f = ogr.Feature(layer.GetLayerDefn())
        for key, value in fields.items():
            if isinstance(value, list):
                f.SetFieldIntegerList(f.GetFieldIndex(key), value)
            else:
                f.SetField(key, value)
        if wkt:
            f.SetGeometry(ogr.CreateGeometryFromWkt(wkt))
        if layer.CreateFeature(f) != 0:
            raise RuntimeError('cannot write %s' % layer_name)
    ds = None


def make_s57(folder):
    base = [
        node(VC, 1, 'POINT (29.0 41.0)'),
        node(VC, 2, 'POINT (29.01 41.01)'),
        edge(1, 1, 2, 'LINESTRING (29.0 41.0,29.01 41.0,29.01 41.01)'),
        edge(2, 2, 1, 'LINESTRING (29.01 41.01,29.0 41.01,29.0 41.0)'),
        node(VI, 3, 'MULTIPOINT (29.002 41.002 3.4,29.004 41.004 4.5)'),
        node(VI, 4, 'POINT (29.005 41.005)'),
        feature('DEPARE', 1, 3, 42, [(VE, 1), (VE, 2)], DRVAL1=0.0, DRVAL2=5.0),
        feature('DEPCNT', 2, 2, 43, [(VE, 1)], VALDCO=5.0),
        feature('SOUNDG', 3, 1, 129, [(VI, 3)]),
        feature('BOYLAT', 4, 1, 17, [(VI, 4)], BOYSHP=2, OBJNAM='Giris'),
        feature('COALNE', 5, 2, 30, [(VE, 2)]),
        feature('LNDARE', 6, 3, 71, [(VE, 1), (VE, 2)]),
    ]
    write_cell(os.path.join(folder, 'TR000001.000'), ['S57_AGEN=540', 'S57_EDTN=1', 'S57_UPDN=0'], base)
    # The update inserts a beacon.
    update = [
        node(VI, 7, 'POINT (29.006 41.006)'),
        feature('BCNLAT', 7, 1, 7, [(VI, 7)]),
    ]
    write_cell(os.path.join(folder, 'TR000001.001'),
               ['S57_AGEN=540', 'S57_EDTN=1', 'S57_UPDN=1', 'S57_EXPP=2'], update)


def make_gpkg(folder):
    ds = ogr.GetDriverByName('GPKG').CreateDataSource(os.path.join(folder, 'plan.gpkg'))
    utm = osr.SpatialReference()
    utm.ImportFromEPSG(32635)
    soundings = ds.CreateLayer('soundings', utm, ogr.wkbPoint)
    soundings.CreateField(ogr.FieldDefn('depth', ogr.OFTReal))
    for i, depth in enumerate((7.5, 8.25, 9.0)):
        f = ogr.Feature(soundings.GetLayerDefn())
        f.SetField('depth', depth)
        f.SetGeometry(ogr.CreateGeometryFromWkt('POINT (%f %f)' % (668000 + 10 * i, 4540000 + 5 * i)))
        soundings.CreateFeature(f)
    coast = ds.CreateLayer('coast', utm, ogr.wkbLineString)
    for i in range(2):
        f = ogr.Feature(coast.GetLayerDefn())
        f.SetGeometry(ogr.CreateGeometryFromWkt('LINESTRING (668000 %d,668500 %d)' % (4541000 + i, 4541200 + i)))
        coast.CreateFeature(f)
    zones = ds.CreateLayer('zones', utm, ogr.wkbMultiPolygon)
    f = ogr.Feature(zones.GetLayerDefn())
    f.SetGeometry(ogr.CreateGeometryFromWkt(
        'MULTIPOLYGON (((668000 4540000,668100 4540000,668100 4540100,668000 4540000)),'
        '((669000 4540000,669100 4540000,669100 4540100,669000 4540000)))'))
    zones.CreateFeature(f)
    ds = None


if __name__ == '__main__':
    make_s57(sys.argv[1])
    make_gpkg(sys.argv[1])
