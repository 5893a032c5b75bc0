// GLib first: its headers use "signals" as a name, which Qt defines as a macro.
#include <gio/gio.h>

#include "platform/linux/PointerBackends.h"

namespace {

const char *const schemaId = "org.gnome.desktop.peripherals.mouse";

GSettingsSchema *lookupSchema()
{
    GSettingsSchemaSource *source = g_settings_schema_source_get_default();
    return source ? g_settings_schema_source_lookup(source, schemaId, TRUE) : nullptr;
}

// Writes one value and waits until it is stored; false when the schema lacks
// the key or refuses the value.
bool writeValue(const char *key, GVariant *value)
{
    g_variant_ref_sink(value);
    bool ok = false;
    if (GSettingsSchema *schema = lookupSchema()) {
        if (g_settings_schema_has_key(schema, key)) {
            GSettingsSchemaKey *schemaKey = g_settings_schema_get_key(schema, key);
            if (g_variant_is_of_type(value, g_settings_schema_key_get_value_type(schemaKey)) &&
                g_settings_schema_key_range_check(schemaKey, value)) {
                GSettings *settings = g_settings_new_full(schema, nullptr, nullptr);
                ok = g_settings_set_value(settings, key, value);
                g_settings_sync();
                g_object_unref(settings);
            }
            g_settings_schema_key_unref(schemaKey);
        }
        g_settings_schema_unref(schema);
    }
    g_variant_unref(value);
    return ok;
}

} // namespace

bool GSettingsPointerBackend::available()
{
    GSettingsSchema *schema = lookupSchema();
    if (!schema)
        return false;
    g_settings_schema_unref(schema);
    return true;
}

bool GSettingsPointerBackend::setMouseSpeed(unsigned speed)
{
    if (speed < 1 || speed > 20)
        return false;
    return writeValue("speed", g_variant_new_double(gnomeMouseSpeed(speed)));
}

bool GSettingsPointerBackend::setDoubleClickTime(unsigned milliseconds)
{
    if (milliseconds > static_cast<unsigned>(G_MAXINT32))
        return false;
    return writeValue("double-click", g_variant_new_int32(static_cast<gint32>(milliseconds)));
}
