// The parser imports its schema as bare JSON, the way a bundler takes it;
// Node wants an import attribute there, so the JSON is handed over as a
// module whose default export is the parsed value.
import { readFile } from "node:fs/promises";

export async function load(url, context, nextLoad) {
  if (!url.startsWith("file:") || !url.endsWith(".json")) return nextLoad(url, context);
  const source = await readFile(new URL(url), "utf8");
  return { format: "module", source: `export default ${source};`, shortCircuit: true };
}
