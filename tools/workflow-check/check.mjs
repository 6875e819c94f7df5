// Loads each GitHub Actions workflow named on the command line through
// GitHub's own parser and its workflow schema, then converts it as the
// service would before a run; any error fails. Nothing else here knows
// what GitHub accepts, and a YAML parse says nothing about keys or types.
import { readFile } from "node:fs/promises";
import { register } from "node:module";

register("./json-as-module.mjs", import.meta.url);
const { parseWorkflow, convertWorkflowTemplate, NoOperationTraceWriter } = await import(
  "@actions/workflow-parser"
);
const { ErrorPolicy } = await import("@actions/workflow-parser/model/convert");

const files = process.argv.slice(2);
if (files.length === 0) {
  console.error("usage: node check.mjs <workflow.yml>...");
  process.exit(2);
}

let failed = 0;
for (const name of files) {
  const content = await readFile(name, "utf8");
  const parsed = parseWorkflow({ name, content }, new NoOperationTraceWriter());
  // The conversion finds what the schema cannot say: a `needs` naming no
  // job, a cycle, a matrix that does not expand.
  if (parsed.value !== undefined && parsed.context.errors.count === 0) {
    await convertWorkflowTemplate(parsed.context, parsed.value, undefined, {
      errorPolicy: ErrorPolicy.TryConversion,
    });
  }
  const errors = parsed.context.errors.getErrors();
  if (parsed.value === undefined && errors.length === 0) {
    console.error(`${name}: no workflow read`);
    failed++;
    continue;
  }
  for (const error of errors) console.error(error.message);
  if (errors.length > 0) failed++;
  else console.log(`${name}: valid`);
}
process.exit(failed > 0 ? 1 : 0);
