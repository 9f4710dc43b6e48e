"""Checks a design-token export: BASE.json, its three override files and
BASE.resolver.json against the official schemas, plus what the schemas cannot
say: every name is legal, every alias resolves once base and override are
merged, and a resolver context names only files that exist.

Usage: check_design_tokens.py SCHEMA_DIR FOLDER BASE
Prints one line per problem and exits 1 when there is any."""
import json
import pathlib
import re
import sys

import jsonschema

schema_dir, folder, base = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]), sys.argv[3]
store = {}
for path in schema_dir.rglob("*.json"):
    schema = json.loads(path.read_text())
    store[schema["$id"]] = schema
problems = []


def local(url):
    """Schemas are read from SCHEMA_DIR only; nothing is fetched."""
    return json.loads((schema_dir / url.split("/schemas/2025.10/", 1)[1].split("#")[0]).read_text())


def validator_for(schema_id):
    try:  # jsonschema 4.18 and later resolve references through a registry
        from referencing import Registry, Resource

        registry = Registry(retrieve=lambda url: Resource.from_contents(local(url))).with_resources(
            (i, Resource.from_contents(s)) for i, s in store.items())
        return jsonschema.Draft7Validator(store[schema_id], registry=registry)
    except ImportError:
        resolver = jsonschema.RefResolver(schema_id, store[schema_id], store=store, handlers={"https": local})
        return jsonschema.Draft7Validator(store[schema_id], resolver=resolver)


def validate(document, schema_id):
    validator = validator_for(schema_id)
    for error in validator.iter_errors(document):
        problems.append(f"{schema_id.rsplit('/', 1)[-1]}: {list(error.absolute_path)}: {error.message[:200]}")


def tokens(group, prefix=""):
    """Every token of a group by its dotted path; names are checked on the way."""
    found = {}
    for name, child in group.items():
        if name.startswith("$"):
            continue
        if re.search(r"[.{}]", name):
            problems.append(f"illegal name {prefix}{name!r}")
        if isinstance(child, dict) and "$value" in child:
            found[prefix + name] = child
        elif isinstance(child, dict):
            found.update(tokens(child, prefix + name + "."))
    return found


def references(value):
    if isinstance(value, str):
        return re.findall(r"^\{([^}]*)\}$", value)
    if isinstance(value, dict):
        return [r for v in value.values() for r in references(v)]
    if isinstance(value, list):
        return [r for v in value for r in references(v)]
    return []


base_tokens_doc = json.loads((folder / f"{base}.json").read_text())
validate(base_tokens_doc, "https://www.designtokens.org/schemas/2025.10/format.json")
resolver = json.loads((folder / f"{base}.resolver.json").read_text())
validate(resolver, "https://www.designtokens.org/schemas/2025.10/resolver.json")
contexts = resolver["modifiers"]["appearance"]["contexts"]
if set(contexts) != {"light", "dark", "light-high-contrast", "dark-high-contrast"}:
    problems.append(f"contexts {sorted(contexts)}")
for context, sources in contexts.items():
    merged = dict(tokens(base_tokens_doc))
    for source in sources:
        path = folder / source["$ref"]
        if not path.exists():
            problems.append(f"{context}: {source['$ref']} does not exist")
            continue
        override = json.loads(path.read_text())
        validate(override, "https://www.designtokens.org/schemas/2025.10/format.json")
        overridden = tokens(override)
        for name, token in overridden.items():
            if name in merged and merged[name]["$type"] != token["$type"]:
                problems.append(f"{context}: {name} changes type")
        merged.update(overridden)
    for name, token in merged.items():
        for target in references(token["$value"]):
            if target not in merged:
                problems.append(f"{context}: {name} refers to {target}, which does not exist")
            elif merged[target]["$type"] != token["$type"]:
                problems.append(f"{context}: {name} refers to {target} of another type")
for line in problems:
    print(line)
print(f"checked {len(tokens(base_tokens_doc))} tokens")
sys.exit(1 if problems else 0)
